// The level compiler (to be written).
#include "levelc/levelc.h"
