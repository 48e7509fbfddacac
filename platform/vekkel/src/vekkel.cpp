#include "vekkel.h"
