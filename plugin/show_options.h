// The body of the entry point showOptions: the options dialog run modally
// over one option block.
#pragma once

#include <cstdint>

#include "translit/plugin_api.h"

// Lets the user edit the block *options, or, when create_new is non-zero, a
// fresh block with the defaults (allocated like newOpt's, for freeOpt); the
// block the variable held before is then neither read nor freed. On OK the
// edited values are copied into the block and *caption points to
// "Транслит <profile name>", a text of the plug-in's that stays readable until
// the next call or the unloading. Leaves the block's address in *options and
// returns 1 when the dialog was closed with OK, else 0 (then the block and
// *caption stay as they were). Returns after the dialog has been destroyed;
// also when it could not be created (result 0).
//
// Without a variable for the block, or with a null block and create_new 0,
// there is nothing to edit: nothing is opened and the result is 0.
std::int32_t ShowOptions(std::uint8_t create_new, TReplOptions** options, char** caption);
