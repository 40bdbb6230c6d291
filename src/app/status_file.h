// The unit data files of the File menu, as bytes: the status file ".vkx"
// (three text lines, or the 350-byte V4 dump packet and a line end), the
// bulk dump ".bdd" read for an upload, and the bytes that a text-mode factory
// initialisation writes back from a saved dump. The menu commands that use
// them: frm_main_unit_files.cpp.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace app {

// A binary status file holds the decoded dump packet: this many bytes.
inline constexpr std::size_t kStatusPacketBytes = 350;
// Of a bulk dump only the first bytes count: the length field and
// parameters 0 to 297.
inline constexpr std::size_t kBulkImageBytes = 300;

struct StatusFileContents {
  bool text = false;
  // Text variant: the cleaned dump, "U" and "V" lines.
  std::string eeprom, u_line, v_line;
  // Binary variant: the packet (the line end after it is not part of it).
  std::string packet;
};

// What EepromImage holds once a binary image was shown.
inline constexpr std::string_view kBinaryImage = "(Data)";

// A status file told apart by its first byte: "2" text, anything else
// binary. A text file needs three lines: a parameter dump, a "U" and a "V"
// status line, each holding the numbers its parser reads; a binary file
// needs 350 bytes
// holding a whole packet (StatusPacketRefusal). Anything else is refused
// with the reason.
struct StatusFileReading {
  std::optional<StatusFileContents> contents;
  std::string refusal;  // "" when read
};
StatusFileReading ReadStatusFile(std::string_view bytes);

// Why the packet of a binary status file cannot be shown, "" when it can.
// Its length field must leave room for the parameter block and the CRC-32
// inside the packet, and the packet must end on a seven-byte group after
// them where the CRC-32 register, fed every byte from the first, comes to 0
// (the residue of a good packet with its CRC).
std::string StatusPacketRefusal(std::string_view packet);

// The file Save Status writes of the status held, when no unit is asked:
// the binary variant (the status packet and CR LF) for a binary image, else
// the text variant. A status that would not read back as it is (a binary
// image without its whole packet, an image that is no dump text) gives
// nothing.
struct HeldStatusFile {
  std::optional<std::string> bytes;
  bool binary = false;
};
HeldStatusFile HeldStatusFileBytes(std::string_view eeprom, std::string_view u_line,
                                   std::string_view v_line, std::string_view status_packet);

// The text variant: the three lines, each ended by CR LF.
std::string TextStatusFileBytes(std::string_view eeprom, std::string_view u_line,
                                std::string_view v_line);

// The image of a bulk dump file: its first 300 bytes; nothing when shorter.
std::optional<std::string> ReadBulkImage(std::string_view bytes);

// The bytes a text-mode factory initialisation writes from address 0, one
// per address: the dump text's first number is its last address, then each
// address is a label and a value, taken in order whatever the labels say.
// The run ends early at the first pair the text does not hold or whose value
// is not a byte, so a short dump never writes zeros it did not hold. A
// checked dump gives the values of its lines by their addresses, up to the
// first line missing or failing its check.
std::string FactoryInitBytes(std::string dump_text);

}  // namespace app
