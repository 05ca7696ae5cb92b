// The regression runner: feeds every file of the given folders (and single
// files) to a fuzz target's entry point, as the fuzzer would, in name order.
// Built with the normal compiler, so that the seed corpus and every input
// that ever found a fault run with the suite.

#include "tests/fuzz/fuzz_check.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <vector>

namespace fs = std::filesystem;

int main(int argc, char **argv)
{
    LLVMFuzzerInitialize(&argc, &argv);
    std::vector<fs::path> inputs;
    for (int i = 1; i < argc; ++i) {
        const fs::path given(argv[i]);
        if (fs::is_directory(given)) {
            // Names starting with a dot (.keep) hold a folder in the repository.
            for (const auto &entry : fs::directory_iterator(given)) {
                if (entry.is_regular_file() && entry.path().filename().string().front() != '.')
                    inputs.push_back(entry.path());
            }
        } else if (fs::is_regular_file(given)) {
            inputs.push_back(given);
        } else {
            std::cerr << "no such input: " << given << '\n';
            return 2;
        }
    }
    std::sort(inputs.begin(), inputs.end());
    if (inputs.empty()) {
        std::cerr << "no inputs\n";
        return 2;
    }
    for (const fs::path &input : inputs) {
        std::ifstream file(input, std::ios::binary);
        const std::vector<char> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
        std::cout << input.filename().string() << " (" << bytes.size() << " bytes)" << std::endl;
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t *>(bytes.data()), bytes.size());
    }
    std::cout << inputs.size() << " inputs replayed" << std::endl;
    return 0;
}
