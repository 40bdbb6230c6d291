// The printer the installation report prints on, as the report uses it: a
// font, text widths, a horizontal print position, text printed without a
// line end, line ends, new pages, and a document that is ended (sent) or
// cancelled. A document begins with the first thing printed after the last
// one ended. Lengths are in twips (1440 to the inch), from the left margin.
#pragma once

#include <string>
#include <string_view>

namespace platform {

class Printer {
 public:
  virtual ~Printer() = default;

  virtual void SetFont(std::string_view name, double size_points) = 0;
  virtual double TextWidth(std::string_view text) = 0;
  // The horizontal print position (CurrentX).
  virtual void SetCurrentX(double twips) = 0;
  virtual double CurrentX() const = 0;
  // Prints at the print position, which then moves past the text.
  virtual void Print(std::string_view text) = 0;
  // Next line, at the left margin (a full page goes on on a new one).
  virtual void EndLine() = 0;
  virtual void NewPage() = 0;
  // Ends the document and sends it. Returns what the operator should be told
  // ("" when the document simply went to the printer): where it was saved,
  // or why it could not be printed.
  virtual std::string EndDoc() = 0;
  // Discards the document being printed, if one is open.
  virtual void KillDoc() = 0;
  // A document has begun and has neither ended nor been cancelled.
  virtual bool DocumentOpen() const = 0;
};

}  // namespace platform
