// Runs a test body once with each 64-byte block kernel the processor has, so
// every instruction-set version is checked, not only the fastest.
#pragma once

#include <gtest/gtest.h>

#include "text/display_count.h"

namespace tavimo::testing {

template <class Body>
void ForEachBlockKernel(Body body) {
    for (BlockKernel kernel : SupportedBlockKernels()) {
        SCOPED_TRACE(::testing::Message() << "block kernel " << static_cast<int>(kernel));
        const BlockKernel before = UseBlockKernel(kernel);
        body();
        UseBlockKernel(before);
    }
}

}  // namespace tavimo::testing
