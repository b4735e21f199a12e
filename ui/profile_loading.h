// The profile that the windows work with: its rules in LeftTerms/RightTerms
// for the text window's conversions, its side names on the two direction
// buttons, and its information line on request.
//
// The rules are replaced on the user-interface thread while a conversion may
// be reading them on a worker, so they are kept behind a lock and a
// conversion takes a copy of both arrays at its start (LoadedRules): a load
// and a conversion never see each other half-way.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "engine/replace.h"

// Caption of the information box.
inline constexpr char kProfileInfoCaption[] = "Информация о профиле замены";

// Reads the profile at path. When it is present and could be read whole:
// the direction buttons (ControlTable entries 0 and 1) read
// "left -> right" and "right -> left", and LeftTerms/RightTerms hold its rule
// lines split by SplitRuleLine, exactly as many as it has. A missing profile,
// or one that cannot be opened or read, changes nothing.
void LoadProfile(const std::string& path);

// Shows the profile's information line (line 1, possibly empty) in a modal
// message box owned by owner, with the caption above, the information icon
// and one OK button; returns when the box is closed. A missing or unreadable
// profile shows nothing.
void ShowProfileInfo(const std::string& path, HWND owner);

// A consistent copy of the loaded rules, LeftTerms[i] -> RightTerms[i] in
// order (empty until a profile has been loaded). Safe on any thread; a
// conversion takes it once when it starts.
std::vector<TRule> LoadedRules();
