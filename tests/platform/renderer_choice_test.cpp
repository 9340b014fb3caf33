#include "renderer_choice.h"

#include <gtest/gtest.h>

TEST(RendererChoice, OnlyProcessorRasterisersAreSetAside)
{
    for (const char* software : {"llvmpipe (LLVM 15.0.6, 256 bits)", "softpipe", "Mesa X11 swrast",
                                 "Software Rasterizer", "LLVMPIPE"})
        EXPECT_TRUE(platform::namesSoftwareRasteriser(software)) << software;
    for (const char* gpu : {"AMD Radeon RX 6600 (radeonsi, navi23, LLVM 15.0.6, DRM 3.49)",
                            "Mesa Intel(R) UHD Graphics 620 (KBL GT2)", "NVIDIA GeForce GTX 1060/PCIe/SSE2", ""})
        EXPECT_FALSE(platform::namesSoftwareRasteriser(gpu)) << gpu;
}
