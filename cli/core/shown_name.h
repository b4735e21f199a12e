// Names as the commands print them: one file is one line, whatever its name
// holds. A name that holds a control character (C0, DEL, C1), a character
// that turns the direction of text, or bytes that are not UTF-8 is shown
// quoted as a shell reads it back, in the style of
// ls --quoting-style=shell-escape; any other name is shown as it is:
//   ShownName("Щука.txt") == "Щука.txt"
//   ShownName("Щука\nsecret.txt") == "$'Щука\\nsecret.txt'"
//   ShownName("a\x1b[2Jb") == "$'a\\E[2Jb'";  ShownName("\xff") == "$'\\xff'"
#pragma once

#include <string>
#include <string_view>

std::string ShownName(std::string_view name);
