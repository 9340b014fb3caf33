#include "d3dx9.h"

#include <cmath>
#include <cstring>

D3DXMATRIX* D3DXMatrixIdentity(D3DXMATRIX* out)
{
    std::memset(out, 0, sizeof(*out));
    out->_11 = out->_22 = out->_33 = out->_44 = 1.0f;
    return out;
}

D3DXMATRIX* D3DXMatrixMultiply(D3DXMATRIX* out, const D3DXMATRIX* a, const D3DXMATRIX* b)
{
    const float(*x)[4] = reinterpret_cast<const float(*)[4]>(a);
    const float(*y)[4] = reinterpret_cast<const float(*)[4]>(b);
    float r[4][4];
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            r[i][j] = x[i][0] * y[0][j] + x[i][1] * y[1][j] + x[i][2] * y[2][j] + x[i][3] * y[3][j];
    std::memcpy(out, r, sizeof(r));
    return out;
}

namespace {

D3DXMATRIX translation(float x, float y)
{
    D3DXMATRIX m;
    D3DXMatrixIdentity(&m);
    m._41 = x;
    m._42 = y;
    return m;
}

D3DXMATRIX rotation(float angle)
{
    D3DXMATRIX m;
    D3DXMatrixIdentity(&m);
    float c = std::cos(angle), s = std::sin(angle);
    m._11 = c;
    m._12 = s;
    m._21 = -s;
    m._22 = c;
    return m;
}

D3DXMATRIX scaling(float x, float y)
{
    D3DXMATRIX m;
    D3DXMatrixIdentity(&m);
    m._11 = x;
    m._22 = y;
    return m;
}

}  // namespace

// M = T(-Sc) * R(-Sr) * S * R(Sr) * T(Sc) * T(-Rc) * R(a) * T(Rc) * T(t)
D3DXMATRIX* D3DXMatrixTransformation2D(D3DXMATRIX* out, const D3DXVECTOR2* scalingCenter, float scalingRotation,
                                       const D3DXVECTOR2* scale, const D3DXVECTOR2* rotationCenter, float angle,
                                       const D3DXVECTOR2* translate)
{
    D3DXMATRIX m;
    D3DXMatrixIdentity(&m);
    auto then = [&m](const D3DXMATRIX& next) { D3DXMatrixMultiply(&m, &m, &next); };
    if (scale) {
        D3DXVECTOR2 sc = scalingCenter ? *scalingCenter : D3DXVECTOR2(0, 0);
        then(translation(-sc.x, -sc.y));
        then(rotation(-scalingRotation));
        then(scaling(scale->x, scale->y));
        then(rotation(scalingRotation));
        then(translation(sc.x, sc.y));
    }
    D3DXVECTOR2 rc = rotationCenter ? *rotationCenter : D3DXVECTOR2(0, 0);
    then(translation(-rc.x, -rc.y));
    then(rotation(angle));
    then(translation(rc.x, rc.y));
    if (translate)
        then(translation(translate->x, translate->y));
    *out = m;
    return out;
}

D3DXVECTOR2* D3DXVec2Normalize(D3DXVECTOR2* out, const D3DXVECTOR2* v)
{
    float length = std::sqrt(v->x * v->x + v->y * v->y);
    if (length == 0.0f || !std::isfinite(length)) {
        *out = D3DXVECTOR2(0, 0);
        return out;
    }
    *out = D3DXVECTOR2(v->x / length, v->y / length);
    return out;
}
