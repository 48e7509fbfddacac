// brevin: the maker's internationalisation library stand-in: the origin information of the
// installation, character sets and their transforms, and URI coding.
#pragma once
#include "brevin_api.h"

#include "QvOriginInfo.h"
#include "QvCharsets.h"
#include "QvUriCoding.h"
#include "qv_i18n_helper.h"
