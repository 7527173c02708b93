#pragma once
// Epochs written to standard output.
#include "Output.h"

namespace norvgpssim {

class StdoutOutput : public Output {
 public:
  std::string Name() const override { return "stdout"; }
  void WriteEpoch(const std::string& text) override;
  // A reader that has gone away (`norvgpssim | head`) ends this output, not with an error.
  bool Finished() const override { return FClosed; }

 private:
  bool FClosed = false;
};

}  // namespace norvgpssim
