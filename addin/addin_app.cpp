#include "addin/addin_app.h"

namespace qv::addin {

const ui::App& AddinApp() {
  static const ui::App app(kAddinTitle, "", "kzoword");
  return app;
}

}  // namespace qv::addin
