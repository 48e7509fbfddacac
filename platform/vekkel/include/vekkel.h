// vekkel: the maker's base library stand-in.
#pragma once
#include "vekkel_api.h"

#include "QvString.h"
