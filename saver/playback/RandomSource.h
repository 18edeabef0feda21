#pragma once
#include <cstdint>

// The pseudo-random numbers that random order and bouncing draw from: values
// 0 to 32767, as the standard library's rand() gives them.
class RandomSource {
public:
    static constexpr uint32_t kRange = 32768;

    virtual ~RandomSource() = default;
    // The next value, 0 to 32767.
    virtual uint32_t Next() = 0;
};

// The process's own generator: std::rand, seeded once with srand(time) when
// run mode starts.
class StdRandom : public RandomSource {
public:
    uint32_t Next() override;
};

// The classic linear congruential generator (state x 214013 + 2531011 modulo
// 2^32, result bits 16 to 30), with a state of its own.
class ClassicRandom : public RandomSource {
public:
    explicit ClassicRandom(uint32_t seed = 1) : state_(seed) {}
    uint32_t Next() override;

private:
    uint32_t state_;
};
