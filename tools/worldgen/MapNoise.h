// Seeded gradient noise for the map stage. Only +, -, *, / and floor: no
// library transcendental functions, so the same seed paints the same map on
// every machine.
#pragma once
#include "Rng.h"

#include <cmath>
#include <cstdint>

namespace worldmap {

class GradNoise {
public:
    explicit GradNoise(Rng rng) {
        for (int i = 0; i < 256; ++i) m_perm[i] = uint8_t(i);
        for (int i = 255; i > 0; --i) {
            const int j = int(rng.Next() % uint64_t(i + 1));
            const uint8_t t = m_perm[i];
            m_perm[i] = m_perm[j];
            m_perm[j] = t;
        }
        for (int i = 0; i < 256; ++i) m_perm[256 + i] = m_perm[i];
    }

    // Gradient noise, roughly in [-1, 1].
    float operator()(float x, float y) const {
        const float fx = std::floor(x), fy = std::floor(y);
        const int ix = int(fx) & 255, iy = int(fy) & 255;
        const float dx = x - fx, dy = y - fy;
        const float u = Fade(dx), v = Fade(dy);
        const float n00 = Grad(m_perm[m_perm[ix] + iy], dx, dy);
        const float n10 = Grad(m_perm[m_perm[ix + 1] + iy], dx - 1, dy);
        const float n01 = Grad(m_perm[m_perm[ix] + iy + 1], dx, dy - 1);
        const float n11 = Grad(m_perm[m_perm[ix + 1] + iy + 1], dx - 1, dy - 1);
        const float a = n00 + u * (n10 - n00);
        const float b = n01 + u * (n11 - n01);
        return (a + v * (b - a)) * 1.4f;
    }

    // Fractal sum of octaves, first octave at frequency 1.
    float Fbm(float x, float y, int octaves, float gain = 0.5f, float lac = 2.0f) const {
        float sum = 0, amp = 1, norm = 0;
        for (int o = 0; o < octaves; ++o) {
            sum += amp * (*this)(x + o * 17.13f, y - o * 9.71f);
            norm += amp;
            amp *= gain;
            x *= lac;
            y *= lac;
        }
        return sum / norm;
    }

    // Ridged fractal in [0, 1]: sharp crests where the noise crosses zero.
    float Ridged(float x, float y, int octaves, float gain = 0.5f) const {
        float sum = 0, amp = 1, norm = 0, weight = 1;
        for (int o = 0; o < octaves; ++o) {
            float r = 1.0f - std::fabs((*this)(x + o * 31.7f, y + o * 11.3f));
            r *= r;
            r *= weight;
            weight = r * 1.5f;
            if (weight > 1) weight = 1;
            sum += amp * r;
            norm += amp;
            amp *= gain;
            x *= 2.03f;
            y *= 2.03f;
        }
        return sum / norm;
    }

private:
    static float Fade(float t) { return t * t * t * (t * (t * 6 - 15) + 10); }
    static float Grad(int h, float x, float y) {
        // Sixteen fixed directions (cosines and sines of multiples of 22.5 degrees).
        static const float kGx[16] = {1.f, 0.92388f, 0.70711f, 0.38268f, 0.f, -0.38268f, -0.70711f, -0.92388f,
                                      -1.f, -0.92388f, -0.70711f, -0.38268f, 0.f, 0.38268f, 0.70711f, 0.92388f};
        static const float kGy[16] = {0.f, 0.38268f, 0.70711f, 0.92388f, 1.f, 0.92388f, 0.70711f, 0.38268f,
                                      0.f, -0.38268f, -0.70711f, -0.92388f, -1.f, -0.92388f, -0.70711f, -0.38268f};
        return kGx[h & 15] * x + kGy[h & 15] * y;
    }
    uint8_t m_perm[512];
};

inline float Clamp01(float v) { return v < 0 ? 0 : (v > 1 ? 1 : v); }
inline float Smooth(float e0, float e1, float v) {
    const float t = Clamp01((v - e0) / (e1 - e0));
    return t * t * (3 - 2 * t);
}
inline float Lerp(float a, float b, float t) { return a + (b - a) * t; }

}  // namespace worldmap
