#include "cli/core/help_places.h"

#include "cli/core/messages.h"

std::string HelpPlaces(TCommandPlatform& platform) {
  std::string text = "\n" +
                     std::string(_("Profiles (--profile NAME, --list), looked for in this "
                                   "order:")) +
                     "\n";
  for (const std::string& folder : platform.ProfileFolders()) text += "  " + folder + "\n";
  TResult<std::string> journals = platform.StateFolder();
  text += Format(_("Undo journals: %s"), journals ? *journals : ErrorText(journals.Error())) + "\n";
  return text;
}
