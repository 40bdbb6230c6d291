// A printer that keeps its document until it ends: pages of lines of text
// runs at their horizontal positions. Nothing reaches the output before
// EndDoc, so a cancelled document leaves nothing behind. The output (a real
// printer, a PDF, a test's record) and the font's measures come from the
// class that derives from it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/printer.h"

namespace platform {

struct PrintedRun {
  double x = 0;  // twips from the left margin
  std::string text;
};
using PrintedLine = std::vector<PrintedRun>;
using PrintedPage = std::vector<PrintedLine>;

struct PrintedDocument {
  std::string font_name;  // the font of the document's first text
  double font_size = 0;
  std::vector<PrintedPage> pages;
};

class BufferedPrinter : public Printer {
 public:
  void SetFont(std::string_view name, double size_points) override;
  void SetCurrentX(double twips) override { x_ = twips; }
  double CurrentX() const override { return x_; }
  void Print(std::string_view text) override;
  void EndLine() override;
  void NewPage() override;
  std::string EndDoc() override;
  void KillDoc() override;
  bool DocumentOpen() const override { return open_; }

 protected:
  const std::string& FontName() const { return font_name_; }
  double FontSize() const { return font_size_; }
  // Lines that fit on a page in the font set.
  virtual int LinesPerPage() = 0;
  // Sends the ended document; returns what the operator should be told.
  virtual std::string Output(const PrintedDocument& document) = 0;

 private:
  // Opens a document with its first page and line, unless one is open.
  void Begin();
  PrintedLine& Line() { return doc_.pages.back().back(); }

  std::string font_name_ = "Courier";
  double font_size_ = 10;
  double x_ = 0;
  bool open_ = false;
  PrintedDocument doc_;
};

}  // namespace platform
