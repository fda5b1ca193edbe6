#include "support/headless.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>

int main(int argc, char **argv) {
    testing::InitGoogleTest(&argc, argv);
    // No test may touch a real player's files: HOME and the XDG data home are a
    // scratch folder for the whole run.
    char home[] = "/tmp/highrise-test-home-XXXXXX";
    if (!mkdtemp(home) || setenv("HOME", home, 1) != 0 || setenv("XDG_DATA_HOME", home, 1) != 0)
        return 2;
    headless_init();
    int status = RUN_ALL_TESTS();
    (void)!system(("rm -rf '" + std::string(home) + "'").c_str());
    return status;
}
