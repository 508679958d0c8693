// Runs a libFuzzer harness once on each file given, or on each file under each folder given, in
// a build without libFuzzer: the seed corpora and the kept crash inputs become ordinary tests.
// A missing folder counts as empty; no input at all is a failure, so that a harness without
// seeds does not pass unnoticed.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size);

namespace fs = std::filesystem;

int main(int argc, char **argv)
{
    std::vector<fs::path> inputs;
    for (int i = 1; i < argc; ++i) {
        const fs::path path(argv[i]);
        std::error_code error;
        if (fs::is_regular_file(path, error)) {
            inputs.push_back(path);
        } else if (fs::is_directory(path, error)) {
            for (const auto &entry : fs::recursive_directory_iterator(path)) {
                if (entry.is_regular_file())
                    inputs.push_back(entry.path());
            }
        }
    }
    std::sort(inputs.begin(), inputs.end());
    if (inputs.empty()) {
        std::fprintf(stderr, "no inputs to replay\n");
        return 1;
    }
    for (const fs::path &input : inputs) {
        std::ifstream file(input, std::ios::binary);
        const std::vector<char> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        if (!file.eof() && file.fail()) {
            std::fprintf(stderr, "cannot read %s\n", input.c_str());
            return 1;
        }
        // Printed first, so that the input is named when the harness aborts.
        std::fprintf(stderr, "replaying %s (%zu bytes)\n", input.c_str(), bytes.size());
        // A copy of exactly its size, so that a read past the end is caught by the sanitizer.
        std::vector<std::uint8_t> data(bytes.begin(), bytes.end());
        LLVMFuzzerTestOneInput(data.empty() ? nullptr : data.data(), data.size());
    }
    std::fprintf(stderr, "%zu inputs replayed\n", inputs.size());
    return 0;
}
