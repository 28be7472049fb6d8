#include "ground/zip_component.h"

namespace {

// The component's options that every run sets the same way, in this order.
struct FlagStep {
  int member;
  bool value;
};
constexpr FlagStep kRunFlags[] = {{17, true}, {5, false}, {4, true},
                                  {46, true}, {9, true},  {36, false}};

}  // namespace

int16_t run_zip(ZipComponent& zip, const std::string& build_folder,
                const std::string& archive_path) {
  for (const FlagStep& step : kRunFlags) zip.set_flag(step.member, step.value);
  zip.set_text(zip_member::kArchivePath, archive_path);
  // Quoted, so that a folder with blanks stays one specification.
  zip.set_text(zip_member::kFileSpec, "\"" + build_folder + "*.*" + "\"");
  zip.set_action(kZipActionAdd);
  return zip.result_code();
}
