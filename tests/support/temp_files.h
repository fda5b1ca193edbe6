// Scratch folders and whole-file reads for tests.
#pragma once

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>

// A fresh folder under /tmp, removed with everything in it when the test is done.
struct temp_dir {
    std::string path = "/tmp/highrise_test_XXXXXX";
    temp_dir() {
        if (!mkdtemp(&path[0])) ADD_FAILURE() << "cannot make " << path;
    }
    ~temp_dir() { (void)system(("rm -rf '" + path + "'").c_str()); }
    temp_dir(const temp_dir &) = delete;
    temp_dir &operator=(const temp_dir &) = delete;
};

inline std::string file_bytes(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}
