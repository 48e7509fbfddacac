#pragma once
// Command ids, the main menu and the accelerator table come from the generated command tables.
#include "command_ids.h"
