// The two window classes: registered as the last step of initialize, and
// unregistered again when the library is unloaded.
//
// Both classes are registered with a null module handle, so they belong to
// the process, not to this DLL, and outlive it: a host that unloaded the
// plug-in and loaded it again would otherwise find the old classes, whose
// window procedures point into the freed image.
#pragma once

// Each registers one class; true when the system returned a class atom.
bool RegisterOptionsWindowClass() noexcept;
bool RegisterTextWindowClass() noexcept;

// The options class first; the text class only when that succeeded. A class
// that already exists (a second initialize) fails quietly, as the outcome is
// not reported.
void RegisterWindowClasses() noexcept;

// Unregisters the classes that this load of the library registered itself,
// never a class of the same name that someone else registered.
void UnregisterWindowClasses() noexcept;
