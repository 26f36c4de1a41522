#pragma once

#include <cstdint>

// One color held as red/green/blue and cyan/magenta/yellow/black at once, every channel on the
// scale 0..255 (not percent). Setting an RGB channel recomputes the four CMYK channels; setting a
// CMYK channel recomputes RGB and keeps the CMYK values exactly as set. Setters keep only the low
// eight bits of their value. A new object reads 0 everywhere until its owner sets a color.
class twCMYK {
 public:
  std::int32_t RGB() const;
  void RGB(std::int32_t value);
  std::int32_t R() const { return m_R; }
  std::int32_t G() const { return m_G; }
  std::int32_t b() const { return m_B; }
  void R(std::int32_t value);
  void G(std::int32_t value);
  void b(std::int32_t value);
  std::int32_t C() const { return m_C; }
  std::int32_t M() const { return m_M; }
  std::int32_t y() const { return m_Y; }
  std::int32_t K() const { return m_K; }
  void C(std::int32_t value);
  void M(std::int32_t value);
  void y(std::int32_t value);
  void K(std::int32_t value);
  void FromCMYK(std::int32_t cValue, std::int32_t mValue, std::int32_t yValue, std::int32_t kValue);

 private:
  void CMYKToRGB();
  void RGBToCMYK();

  std::int32_t m_R = 0;
  std::int32_t m_G = 0;
  std::int32_t m_B = 0;
  std::int32_t m_C = 0;
  std::int32_t m_M = 0;
  std::int32_t m_Y = 0;
  std::int32_t m_K = 0;
};
