// vekkel: the maker's base library stand-in.
#pragma once
#include "vekkel_api.h"

#include "QvString.h"
#include "QvFirst.h"
#include "QvContainers.h"
#include "QvArchive.h"
#include "QvDateTime.h"
#include "QvLexer.h"
#include "QvSuccess.h"
#include "QvLabels.h"
#include "QvConfigKeys.h"
#include "QvFiles.h"
#include "QvGlobals.h"
#include "QvWeb.h"
