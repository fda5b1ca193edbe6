// The level compiler: mission text files to buildings.fmp (to be written).
#pragma once
