#pragma once
// Largest and smallest element of any container of numbers.

#include <functional>
#include <iterator>
#include <type_traits>

namespace rqx {

// ---- Lists ----

// The element that no later one is better than (better(later, kept)), scanning from the first to the
// last; a value-initialised T for an empty list.
template <typename Container, typename Better>
auto BestOfList(const Container &list, Better better)
{
    using T = std::remove_cvref_t<decltype(*std::begin(list))>;
    auto it = std::begin(list);
    if (it == std::end(list))
        return T{};
    T best = *it;
    for (++it; it != std::end(list); ++it)
        if (better(*it, best))
            best = *it;
    return best;
}

// Largest / smallest element, the first of equal ones. Works for any container of numbers (QList,
// std::vector, OneBasedArray…).
template <typename Container>
auto MaxOfList(const Container &list)
{
    return BestOfList(list, std::greater<>{});
}

template <typename Container>
auto MinOfList(const Container &list)
{
    return BestOfList(list, std::less<>{});
}

}  // namespace rqx
