// vekkel: the maker's base library stand-in.
#pragma once
#include "vekkel_api.h"

#include "QvString.h"
#include "QvSuccess.h"
#include "QvLabels.h"
#include "QvConfigKeys.h"
#include "QvGlobals.h"
#include "QvWeb.h"
