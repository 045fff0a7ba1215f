#pragma once
// Picture headers built field by field, so a test states exactly what a file holds, and the
// seeded corpus of mutated headers that the header reader and the picture loader are both
// run over.
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace testing_support {

std::string Be16(unsigned v);
std::string Le16(unsigned v);
std::string Be32(std::uint32_t v);
std::string Le32(std::uint32_t v);

std::string Png(std::uint32_t width, std::uint32_t height);
std::string Gif(const char* version, unsigned width, unsigned height);
std::string JpegSegment(unsigned char marker, const std::string& payload);
std::string JpegFrame(unsigned char marker, unsigned width, unsigned height);
std::string Bmp(std::int32_t width, std::int32_t height);
std::string BmpCore(unsigned width, unsigned height);

extern const std::string kSoi;
extern const std::string kEoi;
extern const std::string kApp0;
extern const std::string kApp1;
extern const std::string kDqt;
extern const std::string kDht;

// The header fuzz corpus: eight headers of every kind the reader knows, and a seeded stream
// of their mutations. The same seed gives the same inputs on every run.
std::vector<std::string> HeaderFuzzSeeds();
constexpr std::uint32_t kHeaderFuzzSeed = 20261207;
constexpr int kHeaderFuzzRounds = 120000;

// One to four random changes: a byte set, set to 0xFF or 0, a cut, an insertion, a deletion.
void Mutate(std::string& bytes, std::mt19937& random);

// The next input of a mutation stream over seeds.
std::string NextMutant(const std::vector<std::string>& seeds, std::mt19937& random);

}  // namespace testing_support
