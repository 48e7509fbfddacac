#include "brevin.h"
