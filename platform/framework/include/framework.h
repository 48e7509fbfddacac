// The window framework layer: include this one header.
#pragma once
#include "fw_defs.h"
#include "fw_object.h"
#include "fw_module.h"
#include "fw_string.h"
#include "fw_geometry.h"
#include "fw_except.h"
#include "fw_time.h"
#include "fw_file.h"
#include "fw_archive.h"
#include "fw_coll.h"
