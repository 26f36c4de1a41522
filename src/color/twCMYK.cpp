#include "twCMYK.h"

#include "host/core/Convert.h"

namespace {
constexpr std::int32_t low8(std::int32_t v) {
  return v & 255;
}

// One subtractive channel back to its additive one: 255 - round(x * (255 - k) / 255 + k),
// the sum held to 255 at most.
std::int32_t toAdditive(std::int32_t x, std::int32_t k) {
  std::int32_t t = host::roundHalfEven(static_cast<double>(x * (255 - k)) / 255.0 + k);
  if (t > 255) t = 255;
  return 255 - t;
}
}  // namespace

std::int32_t twCMYK::RGB() const {
  return (m_B & 255) * 65536 + (m_G & 255) * 256 + (m_R & 255);
}

void twCMYK::RGB(std::int32_t value) {
  m_R = value & 255;
  m_G = (value >> 8) & 255;
  m_B = (value >> 16) & 255;
  RGBToCMYK();
}

void twCMYK::R(std::int32_t value) {
  m_R = low8(value);
  RGBToCMYK();
}
void twCMYK::G(std::int32_t value) {
  m_G = low8(value);
  RGBToCMYK();
}
void twCMYK::b(std::int32_t value) {
  m_B = low8(value);
  RGBToCMYK();
}
void twCMYK::C(std::int32_t value) {
  m_C = low8(value);
  CMYKToRGB();
}
void twCMYK::M(std::int32_t value) {
  m_M = low8(value);
  CMYKToRGB();
}
void twCMYK::y(std::int32_t value) {
  m_Y = low8(value);
  CMYKToRGB();
}
void twCMYK::K(std::int32_t value) {
  m_K = low8(value);
  CMYKToRGB();
}

void twCMYK::FromCMYK(std::int32_t cValue, std::int32_t mValue, std::int32_t yValue,
                      std::int32_t kValue) {
  m_C = low8(cValue);
  m_M = low8(mValue);
  m_Y = low8(yValue);
  m_K = low8(kValue);
  CMYKToRGB();
}

void twCMYK::CMYKToRGB() {
  m_R = toAdditive(m_C, m_K);
  m_G = toAdditive(m_M, m_K);
  m_B = toAdditive(m_Y, m_K);
}

void twCMYK::RGBToCMYK() {
  const std::int32_t c = 255 - m_R;
  const std::int32_t m = 255 - m_G;
  const std::int32_t y = 255 - m_B;
  std::int32_t k;
  if (c < m) {
    k = c < y ? c : y;
  } else {
    k = m < y ? m : y;
  }
  m_K = k;
  if (k == 255) {
    m_C = m_M = m_Y = 255;
    return;
  }
  const double d = 255 - k;
  m_C = host::roundHalfEven(static_cast<double>((c - k) * 255) / d);
  m_M = host::roundHalfEven(static_cast<double>((m - k) * 255) / d);
  m_Y = host::roundHalfEven(static_cast<double>((y - k) * 255) / d);
}
