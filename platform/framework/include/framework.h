// The window framework layer: include this one header.
#pragma once
#include "fw_defs.h"
#include "fw_object.h"
#include "fw_module.h"
