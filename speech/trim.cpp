// Trimming a stream of speech to its audible samples as it is made.
#include "speech/trim.h"

namespace corvale::speech {

void Trimmer::feed(const int16_t* samples, std::size_t count) {
    std::size_t first = 0;
    if (!sounding_) {
        while (first < count && !audible(samples[first])) ++first;
        if (first == count) return;
        sounding_ = true;
    }
    std::size_t end = count;
    while (end > first && !audible(samples[end - 1])) --end;
    if (end > first) {
        if (!held_.empty()) sink_(held_.data(), held_.size());
        held_.clear();
        sink_(samples + first, end - first);
    }
    held_.insert(held_.end(), samples + end, samples + count);
}

}  // namespace corvale::speech
