#include "addin/online/addin_post.h"

#include "ui/toolkit.h"

namespace qv::addin {

online::PostOptions AddinPostOptions() {
  online::PostOptions options(online::kWordAddInSender);
  options.setMousePointer = [](int pointer) {
    ui::Toolkit::Current().Screen().MousePointer = pointer;
  };
  return options;
}

}  // namespace qv::addin
