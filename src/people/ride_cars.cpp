// The lit elevator cars: while people ride, hidden inside, a car moves along the
// shaft with them, so that the ride shows. One car per place where riders are; a
// car whose arrival floor is full turns back with its riders.
#include "people/people_internal.h"

#include <cstdlib>

namespace {

// The car fills the shaft's channel of the tile art up to the doors' height: from
// the tile's left edge, and above the riders' feet (on the floor line).
constexpr int CAR_X0 = 18, CAR_X1 = 45;
constexpr int CAR_TOP = 39, CAR_BOTTOM = 2;
constexpr int CAR_W = CAR_X1 - CAR_X0 + 1, CAR_H = CAR_TOP - CAR_BOTTOM + 1;
constexpr int ARROW_HALF = 6; // half the width of the arrow showing the way it goes

// Going up and going down, painted once: blending one sprite costs less than the
// shapes it is made of.
BITMAP *car_bmp[2];

// A steel frame round a warm light, and an arrow pointing the way the car goes. Put
// pixel by pixel, so that the play's translucent drawing mode does not touch it.
void paint_car(BITMAP *b, int dir) {
    const int frame = makecol(150, 152, 160), light = makecol(255, 226, 150),
              arrow = makecol(200, 120, 40);
    const int mid = (CAR_W - 1) / 2, tip = (CAR_H - 1) / 2 + dir * ARROW_HALF;
    for (int y = 0; y < CAR_H; y++)
        for (int x = 0; x < CAR_W; x++) {
            int from_tip = (y - tip) * -dir; // rows behind the arrow's tip
            bool in_arrow =
                from_tip >= 0 && from_tip <= 2 * ARROW_HALF && abs(x - mid) * 2 <= from_tip;
            bool inside = x >= 2 && x < CAR_W - 2 && y >= 2 && y < CAR_H - 3;
            _putpixel16(b, x, y, in_arrow ? arrow : inside ? light : frame);
        }
}

void draw_car(const ride_car &car) {
    int x = BUILDING_SCREEN_X + TILE_SIZE * car.col + CAR_X0;
    draw_trans_sprite(back_buffer, car_bmp[car.dir > 0], x, car.y - scroll_y - CAR_TOP);
}

} // namespace

bool make_ride_cars() {
    for (int d = 0; d < 2; d++) {
        if (!car_bmp[d]) car_bmp[d] = create_bitmap_ex(16, CAR_W, CAR_H);
        if (!car_bmp[d]) return false;
        paint_car(car_bmp[d], d == 0 ? -1 : 1);
    }
    return true;
}

int ride_cars_find(ride_car *cars, int max, int top, int bottom) {
    int n = 0;
    for (int i = 0; i < people_count && n < max; i++) {
        const person &p = people[i];
        if (p.state != PERSON_RIDING || p.y < top || p.y >= bottom) continue;
        ride_car car = {column_of_x(p.x), p.y, p.target_y < p.y ? -1 : 1};
        bool seen = false;
        for (int k = 0; k < n && !seen; k++) seen = cars[k].col == car.col && cars[k].y == car.y;
        if (!seen) cars[n++] = car;
    }
    return n;
}

void draw_ride_cars() {
    if (!car_bmp[1] || !back_buffer || bitmap_color_depth(back_buffer) != 16) return;
    // Only the cars in view: riders out of it take none of the room.
    ride_car cars[MAX_RIDE_CARS];
    int n = ride_cars_find(cars, MAX_RIDE_CARS, scroll_y + CAR_BOTTOM,
                           scroll_y + SCREEN_HEIGHT + CAR_TOP);
    for (int k = 0; k < n; k++) draw_car(cars[k]);
}

void free_ride_cars() {
    for (BITMAP *&b : car_bmp) {
        if (b) destroy_bitmap(b);
        b = nullptr;
    }
}
