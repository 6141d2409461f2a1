#pragma once
// The last element of a list: an empty list fails the test (with an empty value) instead of crashing the run.
#include <gtest/gtest.h>

template <class TList>
typename TList::value_type Last(const TList& v) {
    if (v.empty()) ADD_FAILURE() << "the list is empty";
    return v.empty() ? typename TList::value_type{} : v[v.size() - 1];
}
