#include "support/headless.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>

int main(int argc, char **argv) {
    testing::InitGoogleTest(&argc, argv);
    // No test may touch a real player's files: HOME and the XDG data home are a
    // scratch folder for the whole run. A death test's child runs this again and
    // shares its parent's folder, which the parent alone removes.
    const char *inherited = getenv("HIGHRISE_TEST_HOME");
    std::string home = inherited ? inherited : "/tmp/highrise-test-home-XXXXXX";
    if (!inherited && (!mkdtemp(&home[0]) || setenv("HIGHRISE_TEST_HOME", home.c_str(), 1) != 0))
        return 2;
    if (setenv("HOME", home.c_str(), 1) != 0 || setenv("XDG_DATA_HOME", home.c_str(), 1) != 0)
        return 2;
    headless_init();
    int status = RUN_ALL_TESTS();
    if (!inherited) (void)!system(("rm -rf '" + home + "'").c_str());
    return status;
}
