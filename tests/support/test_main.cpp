#include "support/headless.h"

#include <gtest/gtest.h>

int main(int argc, char **argv) {
    testing::InitGoogleTest(&argc, argv);
    headless_init();
    return RUN_ALL_TESTS();
}
