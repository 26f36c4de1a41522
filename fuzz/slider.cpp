// The mixer's slider loaded from any stored properties (a section's entries as text), at any
// size from 0 x 0 to 4096 x 4096, then given any value and repainted. Pictures may name only the
// program's own resources (":/..."), so a run never reads the machine's files.
#include <fuzzer/FuzzedDataProvider.h>

#include <QString>
#include <QWidget>
#include <cstdint>
#include <memory>

#include "OffscreenApplication.h"
#include "controls/slider/HSliderBar.h"
#include "host/forms/FormData.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  static QWidget window;
  const int w = in.ConsumeIntegralInRange(-16, 4096);
  const int h = in.ConsumeIntegralInRange(-16, 4096);
  const std::int32_t value = in.ConsumeIntegral<std::int32_t>();
  const host::FormData form = host::FormData::parse(
      QStringLiteral("[s]\n") + QString::fromStdString(in.ConsumeRemainingBytesAsString()));
  const host::PropertyBag* bag = form.bagFor(QStringLiteral("s"));
  if (bag == nullptr) return 0;
  for (const char* key :
       {"Picture", "PictureOver", "PictureCue", "PictureCueDown", "PictureCueOver", "MouseIcon"}) {
    const QString path = bag->readPicture(QString::fromLatin1(key), {}).path;
    if (!path.isEmpty() && !path.startsWith(QStringLiteral(":/"))) return 0;
  }
  auto slider = std::make_unique<HSliderBar>(&window);
  slider->resize(w, h);
  slider->load(bag);
  slider->value(value);
  slider->Refresh();
  return 0;
}
