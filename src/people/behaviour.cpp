// Person behaviour, drawing and the rescue helicopter (to be written).
#include "people/people.h"

void update_people() {}
void call_elevator(int, int) {}
void update_and_draw_people() {}
void update_rescue_heli() {}
