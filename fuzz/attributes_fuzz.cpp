// Attribute strings and the texts that go into the attribute form: reading and writing never
// fails, a value written is read back, and no text escaped for the page's script can end it.

#include "addin/dialogs/MarkBuilder.h"
#include "addin/questions/attribute_string.h"
#include "fuzz/fuzz_target.h"

using namespace qv;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  // attributes \n key \n value
  const size_t a = input.find('\n');
  const size_t b = a == std::string::npos ? a : input.find('\n', a + 1);
  const std::string attrs = input.substr(0, a);
  const std::string key = a == std::string::npos ? "" : input.substr(a + 1, b - a - 1);
  const std::string value = b == std::string::npos ? "" : input.substr(b + 1);
  (void)addin::GetAttr(attrs, key);
  (void)addin::AttrPrefix(attrs);
  (void)addin::GetQType(attrs);
  // Keys are names: one that starts "amp;" would make "&amp;", the escaped ampersand.
  const bool plainKey =
      !key.empty() && key.find_first_of("&=") == std::string::npos && key.rfind("amp;", 0) != 0;
  // The substitute byte is how a stored value holds "&", so it reads back as one.
  const bool plainValue =
      value.find_first_of(std::string("&") + addin::kAmpersandSubstitute) == std::string::npos;
  if (plainKey && plainValue && addin::HasMarkerKind(attrs, "kzo")) {
    const std::string written = addin::WithAttr(attrs, key, value);
    if (addin::GetAttr(written, key) != value) fuzz::Fault("a value written is not read back");
  }
  const std::string escaped = addin::EscapeFeedbackForScript(input);
  if (escaped.find('<') != std::string::npos) fuzz::Fault("an escaped text can end a script");
  if (escaped.find("\xe2\x80\xa8") != std::string::npos ||
      escaped.find("\xe2\x80\xa9") != std::string::npos)
    fuzz::Fault("an escaped text holds a line separator");
  (void)addin::HtmlText(input);
  return 0;
}

std::vector<std::string> qv::fuzz::Seeds() {
  return {"kzoQ0&qID=ABCDEFGHIJKLMNOP&points=10\npoints\n20", "kzoA10&ans=a\x02;b&h=1&w=20\nans\nx",
          "kzoO5&pcomm=</script>\npcomm\nfeedback \xe2\x80\xa8 line", "kzoB&size=3\nsize\n4"};
}
