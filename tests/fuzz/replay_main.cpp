// Replays fuzz inputs without libFuzzer (GCC has none): every file in the
// folders named on the command line goes once through the fuzz target, so the
// corpus and the regressions run as an ordinary sanitizer test.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argumentCount, char** arguments) {
    std::vector<std::filesystem::path> inputs;
    for (int index = 1; index < argumentCount; ++index)
        for (const auto& entry : std::filesystem::directory_iterator(arguments[index]))
            if (entry.is_regular_file()) inputs.push_back(entry.path());
    std::sort(inputs.begin(), inputs.end());
    if (inputs.empty()) {
        std::fprintf(stderr, "no inputs to replay\n");
        return 1;
    }
    for (const auto& input : inputs) {
        std::printf("%s\n", input.string().c_str());
        std::fflush(stdout);  // a failed check aborts: the last name printed is the input that failed
        std::ifstream file(input, std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    }
    std::printf("%zu inputs replayed\n", inputs.size());
    return 0;
}
