// Names parameterised test cases after the `name` field of their case.
#pragma once

#include <gtest/gtest.h>

#include <string>

struct CaseName {
    template <class Case>
    std::string operator()(const testing::TestParamInfo<Case>& param) const
    {
        return param.param.name;
    }
};
