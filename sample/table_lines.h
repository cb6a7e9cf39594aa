// Reading the readable tables of sample/ and writing the files built from them.
#ifndef SAMPLE_TABLE_LINES_H_
#define SAMPLE_TABLE_LINES_H_

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace sample {

// Whether a text whose blank lines mean something (paragraph breaks) keeps them.
enum class BlankLines { kSkip, kKeep };

// Calls line_fn with every line that is not a "#" comment, nor blank unless blank lines are
// kept; false when the file cannot be read or line_fn refuses a line.
bool ForEachTableLine(const std::filesystem::path& path,
                      const std::function<bool(const std::string&)>& line_fn,
                      BlankLines blank_lines = BlankLines::kSkip);
// The lines ForEachTableLine would hand over, appended to lines.
bool ReadTableLines(const std::filesystem::path& path, std::vector<std::string>* lines,
                    BlankLines blank_lines = BlankLines::kSkip);
// Writes a whole file; false (with a message) when that fails.
bool Write(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);
bool WriteText(const std::filesystem::path& path, const std::string& text);
// The fields of a line separated by "|" (a trailing "|" ends an empty last field).
std::vector<std::string> SplitBars(const std::string& line);

}  // namespace sample

#endif  // SAMPLE_TABLE_LINES_H_
