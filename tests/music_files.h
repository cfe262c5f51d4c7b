// A scratch directory with an MP3 tone made by sox, shared by the decoding and the playback tests.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

class MusicFiles : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    directory_ = std::filesystem::temp_directory_path() / ("velmora-music-" + std::to_string(getpid()));
    std::filesystem::create_directories(directory_);
    const std::string tone = (directory_ / "tone.mp3").string();
    const std::string command = "sox -q -n -r 44100 -c 2 -C 192 '" + tone + "' synth 4 sine 440 vol 0.5";
    made_ = std::system(command.c_str()) == 0 && std::filesystem::exists(tone);
  }
  static void TearDownTestSuite() { std::filesystem::remove_all(directory_); }
  void SetUp() override {
    if (!made_) GTEST_SKIP() << "sox could not write an MP3 (needs sox and libsox-fmt-mp3)";
  }
  static std::string PathOf(const std::string& name) { return (directory_ / name).string(); }
  static void WriteBytes(const std::string& name, const std::vector<unsigned char>& bytes) {
    std::ofstream(PathOf(name), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  }
  static std::vector<unsigned char> ReadBytes(const std::string& name) {
    std::ifstream in(PathOf(name), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  static inline std::filesystem::path directory_;
  static inline bool made_ = false;
};
