// The lit cars of the elevator rides: where they are for riders going up, down and back,
// one per place, and what they draw.
#include "support/people_world.h"

constexpr int ROW = 90, DOOR = 6, BOARDING_X = 64 + 64 * DOOR + 23;

struct RideCars : PeopleWorld {
    // A person inside the car, riding from the floor line of `from` to that of `to`.
    int rider(int from, int to, int x = BOARDING_X) {
        int i = stand(DOOR, from, 0);
        person &p = people[i];
        word(DOOR, from) = 0;
        p.x = x, p.y = line(from), p.origin_y = line(from), p.target_y = line(to);
        p.state = PERSON_RIDING, p.hidden = 1, p.status = STATUS_IN_TRANSIT;
        return i;
    }
    static std::vector<ride_car> cars() {
        ride_car found[MAX_RIDE_CARS];
        return std::vector<ride_car>(found, found + ride_cars_find(found, MAX_RIDE_CARS, 0, 7680));
    }
    static bool one_car(int col, int y, int dir) {
        std::vector<ride_car> c = cars();
        return c.size() == 1 && c[0].col == col && c[0].y == y && c[0].dir == dir;
    }
};

// Up from row 90 to 86 and down from 90 to 94: the car moves with its rider, a pixel a
// frame, until the rider steps out.
TEST_F(RideCars, ACarRidesWithItsRidersUpAndDown) {
    for (int dir : {-1, 1}) {
        people_count = 0;
        const person &p = people[rider(ROW, ROW + 4 * dir)];
        for (int f = 0; f < 4 * 64; f++) {
            ASSERT_TRUE(one_car(DOOR, line(ROW) + f * dir, dir)) << dir << " " << f;
            update_people();
        }
        EXPECT_TRUE(p.state == PERSON_STEPPING_OFF && cars().empty()) << dir;
    }
}

// Riders at one place share a car; another height or another shaft is another car.
TEST_F(RideCars, OneCarForEachPlaceWhereRidersAre) {
    rider(ROW, ROW - 4);
    rider(ROW, ROW - 4, BOARDING_X + 5); // boarded past the point, in the same shaft
    EXPECT_TRUE(one_car(DOOR, line(ROW), -1));
    people[rider(ROW, ROW - 4)].y -= 10;
    people[rider(ROW, ROW - 4)].x += 64;
    people[stand(2, ROW, 0)].state = PERSON_TO_SLOT; // not riding: no car
    std::vector<ride_car> c = cars();
    ASSERT_EQ(c.size(), 3u);
    EXPECT_TRUE(c[1].col == DOOR && c[1].y == line(ROW) - 10 && c[2].col == DOOR + 1);
    ride_car few[2];
    EXPECT_EQ(ride_cars_find(few, 2, 0, 7680), 2); // never more than there is room for
    // Only riders from the top y to below the bottom one: those in view.
    EXPECT_EQ(ride_cars_find(few, 2, line(ROW) - 10, line(ROW)), 1);
    EXPECT_TRUE(few[0].y == line(ROW) - 10);
    EXPECT_EQ(ride_cars_find(few, 2, line(ROW) + 1, 7680), 0);
}

// A full arrival floor sends the car back down with its rider, visibly: its arrow turns.
TEST_F(RideCars, ACarTurnsBackWhenTheArrivalFloorIsFull) {
    for (int c = 0; c < 14; c++) word(c, ROW - 2) = FULL_SLOT_MASK;
    const person &p = people[rider(ROW, ROW - 2)];
    for (int f = 0; f < 127; f++) update_people();
    EXPECT_TRUE(one_car(DOOR, line(ROW - 2) + 1, -1));
    update_people(); // at the arrival floor: no room
    EXPECT_TRUE(one_car(DOOR, line(ROW - 2), 1) && p.target_y == line(ROW));
    update_people();
    EXPECT_TRUE(one_car(DOOR, line(ROW - 2) + 1, 1));
}

// The car is drawn in the shaft's column, over the map, before the people; nothing is
// drawn of a car out of view, not even its edge.
TEST_F(RideCars, TheCarIsDrawnInItsShaftAtItsRidersHeight) {
    const int black = makecol(0, 0, 0);
    clear_to_color(back_buffer, black);
    scroll_y = line(ROW) - 400;
    const int left = 64 + 64 * DOOR, feet = 400;
    const person &p = people[rider(ROW, ROW - 4)];
    update_and_draw_people(); // drawn, then a pixel up
    EXPECT_NE(getpixel(back_buffer, left + 32, feet - 20), black); // the car's middle
    EXPECT_NE(getpixel(back_buffer, left + 18, feet - 2), black);  // its bottom corner
    for (auto [x, y] : {std::pair{left + 17, feet - 20},
                        {left + 46, feet - 20},
                        {left + 32, feet - 1},
                        {left + 32, feet - 40}})
        EXPECT_EQ(getpixel(back_buffer, x, y), black) << x << "," << y;
    for (int scroll : {p.y - 1, p.y - SCREEN_HEIGHT - 39}) { // above, below
        clear_to_color(back_buffer, black);
        scroll_y = scroll;
        draw_ride_cars();
        for (int y = 0; y < SCREEN_HEIGHT; y++)
            ASSERT_EQ(getpixel(back_buffer, left + 32, y), black) << scroll << " " << y;
    }
    scroll_y = p.y - 2; // its bottom row at the top of the screen
    draw_ride_cars();
    EXPECT_NE(getpixel(back_buffer, left + 20, 0), black);
}
