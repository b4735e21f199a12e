// The profile that the windows work with: its rules for the text window's
// conversions, its side names on the two direction buttons, and its
// information line on request; and the profile box that chooses it.
//
// A load reads the whole profile with the engine's ReadProfile into a new,
// immutable profile and swaps the shared pointer to it under a lock. A
// conversion takes the pointer once when it starts and reads those rules
// without a copy and without the lock: a later load never changes them, it
// only points elsewhere, and the old rules live on until the last
// conversion that uses them lets go.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/replace.h"
#include "ui/host.h"

// Caption of the information box.
inline constexpr char kProfileInfoCaption[] = "Информация о профиле замены";

// Reads the profile at path. When it is present and could be read whole:
// the direction buttons (ControlTable entries 0 and 1) read
// "left -> right" and "right -> left", and LoadedRules() gives its rule
// lines split by SplitRuleLine, exactly as many as it has. A missing profile,
// or one that cannot be opened or read, changes nothing.
void LoadProfile(const std::string& path);

// Shows the profile's information line (line 1, possibly empty) in a modal
// message box owned by owner, with the caption above, the information icon
// and one OK button; returns when the box is closed. A missing or unreadable
// profile shows nothing.
void ShowProfileInfo(const std::string& path, HWND owner);

// The rules of the loaded profile, in order (an empty list until a profile
// has been loaded). Safe on any thread; the list never changes.
std::shared_ptr<const std::vector<TRule>> LoadedRules();

// Appends the catalogue's valid names to the profile box, slot 0 first,
// unsorted; nothing for a null or empty catalogue.
void FillProfileBox(HWND box, const TProfileCatalogue* catalogue);

// The profile box's text, at most 49 characters (what a catalogue slot
// holds); empty without a selection.
std::string ProfileBoxText(HWND box);

// The path of the profile the box shows, in the host's profile folder.
std::string SelectedProfilePath(HWND box, std::string_view plugin_dir);
