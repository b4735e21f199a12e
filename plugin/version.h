#pragma once

// The plug-in's version, as getInfo reports it and the options dialog shows it.
#define TRANSLIT_VERSION_TEXT "1.0.02"
#define TRANSLIT_VERSION_NUMBERS 1, 0, 0, 2
