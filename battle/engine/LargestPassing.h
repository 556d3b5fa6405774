#pragma once
// The largest count for which a monotone test passes, found by doubling and
// then halving: the stretches, the patterns and the minimum-count search use it.
#include <cstdint>

namespace qf::battle {

// The largest n in [1, most] for which `passes(n)` holds, where passes(n)
// implies passes(m) for every m < n; 0 if it fails already for 1.
template <typename Check>
int64_t LargestPassing(int64_t most, const Check &passes)
{
    if (most < 1 || !passes(1))
        return 0;
    int64_t good = 1;
    int64_t bad = 0;
    while (bad == 0) {
        if (good == most)
            return good;
        const int64_t next = good > most / 2 ? most : good * 2;
        if (passes(next))
            good = next;
        else
            bad = next;
    }
    while (bad - good > 1) {
        const int64_t middle = good + (bad - good) / 2;
        if (passes(middle))
            good = middle;
        else
            bad = middle;
    }
    return good;
}

} // namespace qf::battle
