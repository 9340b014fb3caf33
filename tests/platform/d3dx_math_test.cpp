#include "d3dx9.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {
D3DXVECTOR2 apply(const D3DXMATRIX& m, float x, float y)
{
    return {x * m._11 + y * m._21 + m._41, x * m._12 + y * m._22 + m._42};
}
}  // namespace

TEST(D3DXMath, Transformation2DScalesThenRotatesAboutTheCentreThenTranslates)
{
    D3DXVECTOR2 scaling(2, 2), centre(10, 0), move(100, 50);
    D3DXMATRIX m;
    D3DXMatrixTransformation2D(&m, nullptr, 0, &scaling, &centre, static_cast<float>(M_PI / 2), &move);
    // (5, 0) scales to (10, 0): the centre itself, which turning leaves put.
    D3DXVECTOR2 p = apply(m, 5, 0);
    EXPECT_NEAR(p.x, 110, 1e-4);
    EXPECT_NEAR(p.y, 50, 1e-4);
    // (0, 0) stays (0, 0), then turns a quarter clockwise about (10, 0).
    p = apply(m, 0, 0);
    EXPECT_NEAR(p.x, 110, 1e-4);
    EXPECT_NEAR(p.y, 40, 1e-4);
}

TEST(D3DXMath, NullArgumentsMeanNoScalingAndNoMove)
{
    D3DXMATRIX m;
    D3DXMatrixTransformation2D(&m, nullptr, 0, nullptr, nullptr, 0, nullptr);
    D3DXVECTOR2 p = apply(m, 3, 4);
    EXPECT_FLOAT_EQ(p.x, 3);
    EXPECT_FLOAT_EQ(p.y, 4);
}

TEST(D3DXMath, NormalizeGivesAUnitVectorAndZeroForZero)
{
    D3DXVECTOR2 v(3, 4), out;
    D3DXVec2Normalize(&out, &v);
    EXPECT_FLOAT_EQ(out.x, 0.6f);
    EXPECT_FLOAT_EQ(out.y, 0.8f);
    D3DXVECTOR2 zero(0, 0);
    D3DXVec2Normalize(&out, &zero);
    EXPECT_EQ(out, D3DXVECTOR2(0, 0));
}
