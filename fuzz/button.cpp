// The mixer button's shapes and painters at any size from 0 x 0 to 4096 x 4096 (negative sizes
// go to the toolkit, which refuses them as it does for every window) with any Style, scheme,
// brightness, caption and state; and rounded regions with any corner at those sizes.
#include <fuzzer/FuzzedDataProvider.h>

#include <QString>
#include <cstdint>
#include <memory>

#include "OffscreenApplication.h"
#include "controls/button/CandyButton.h"
#include "host/draw/Region.h"
#include "host/forms/Form.h"
#include "host/forms/PropertyBag.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  static host::Form window;
  const int w = in.ConsumeIntegralInRange(-16, 4096);
  const int h = in.ConsumeIntegralInRange(-16, 4096);
  const int corner = in.ConsumeIntegral<int>();
  const host::Region round =
      host::CreateRoundRectRgn(0, 0, w, h, corner, in.ConsumeIntegral<int>());
  host::Region out;
  host::CombineRgn(out, round, host::CreateRectRgn(1, 1, w - 1, h - 1), host::CombineMode::Xor);
  (void)host::PtInRegion(out, w / 2, 0);

  // The properties arrive as stored ones do, all at once, so the button paints once per state.
  host::PropertyBag bag;
  bag.WriteProperty(QStringLiteral("Enabled"), in.ConsumeBool());
  for (const char* key : {"Style", "ColorScheme", "BorderBrightness", "PictureAlignment"})
    bag.WriteProperty(QString::fromLatin1(key), in.ConsumeIntegral<std::int32_t>());
  bag.WriteProperty(QStringLiteral("Checked"), in.ConsumeBool());
  bag.WriteProperty(QStringLiteral("Caption"),
                    QString::fromStdString(in.ConsumeRandomLengthString(40)));
  auto button = std::make_unique<CandyButton>(&window);
  button->resize(w, h);
  button->load(&bag);
  button->Redraw(in.ConsumeIntegralInRange(-1, 5));
  return 0;
}
