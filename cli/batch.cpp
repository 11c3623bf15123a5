#include "cli/batch.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <deque>
#include <mutex>
#include <nlohmann/json.hpp>
#include <thread>
#include <vector>

#include "births/text_records.h"
#include "cli/batch_output.h"
#include "cli/csv_reader.h"

namespace orbisca::cli {
namespace {

// A chunk is cut at the first record boundary after this many bytes of input:
// small enough that the chunks in flight stay a few megabytes of output.
constexpr std::size_t kChunkBytes = 32 * 1024;
constexpr std::size_t kReadBytes = 64 * 1024;

std::string Reason(int error) { return std::strerror(error); }

// The input file, read in blocks.
class Input {
 public:
  // Opens the file; empty on success, or the reason.
  std::string Open(const std::string& path) {
    name_ = path == "-" ? "standard input" : path;
    fd_ = path == "-" ? STDIN_FILENO : open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0) return Reason(errno);
    struct stat st{};
    if (fstat(fd_, &st) == 0) {
      if (S_ISDIR(st.st_mode)) return Reason(EISDIR);
      if (S_ISREG(st.st_mode)) size_ = static_cast<std::size_t>(st.st_size);
    }
    return {};
  }
  ~Input() {
    if (fd_ > STDIN_FILENO) close(fd_);
  }
  // Appends up to kReadBytes to `text`: the bytes read, 0 at the end, -1 on error.
  long Read(std::string& text) {
    const std::size_t old = text.size();
    text.resize(old + kReadBytes);
    ssize_t n;
    do {
      n = read(fd_, text.data() + old, kReadBytes);
    } while (n < 0 && errno == EINTR);
    text.resize(old + static_cast<std::size_t>(std::max<ssize_t>(n, 0)));
    if (n < 0) error_ = Reason(errno);
    return static_cast<long>(n);
  }
  const std::string& Name() const { return name_; }
  std::size_t Size() const { return size_; }  // 0: not known
  const std::string& Error() const { return error_; }

 private:
  int fd_ = -1;
  std::string name_;
  std::size_t size_ = 0;
  std::string error_;
};

// The header's columns by position; a message when the header is refused.
struct Header {
  std::vector<std::optional<BatchColumn>> columns;  // nothing: a column of the library's export, not charted
  std::string error;
};

// A column or key of the library's exports that the batch does not chart
// (id, kind, note, ...), so that an exported library charts as it is.
bool LibraryOnlyKey(std::string_view key) {
  return std::any_of(births::kFields.begin(), births::kFields.end(),
                     [key](const births::FieldInfo& info) { return info.key == key; });
}

std::string_view Trimmed(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

Header ReadHeader(const CsvRecord& record) {
  Header header;
  if (!record.error.empty()) return {{}, "the header: " + record.error};
  std::array<bool, kBatchColumnCount> seen{};
  for (const std::string& field : record.fields) {
    std::string key(Trimmed(field));
    std::transform(key.begin(), key.end(), key.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    const std::optional<BatchColumn> column = ColumnNamed(key);
    if (!column && LibraryOnlyKey(key)) {
      header.columns.emplace_back();
      continue;
    }
    if (!column) return {{}, "the header names an unknown column \"" + std::string(field) + "\"; the columns are name, date, time, zone, dst, lon, lat and place"};
    if (seen[Index(*column)]) return {{}, "the header names the column \"" + key + "\" twice"};
    seen[Index(*column)] = true;
    header.columns.push_back(*column);
  }
  for (const BatchColumnInfo& info : kBatchColumns) {
    const bool needed = info.need == BatchNeed::Required ||
                        (info.need == BatchNeed::RequiredWithoutPlace && !seen[Index(BatchColumn::Place)]);
    if (needed && !seen[Index(info.column)]) {
      return {{}, "the header has no \"" + std::string(info.key) +
                      "\" column; it needs date, time, and zone and dst or place"};
    }
  }
  return header;
}

// One piece of the input and what became of it.
struct Chunk {
  enum class State { Free, Filled, Done };
  State state = State::Free;
  std::string input;
  std::size_t firstLine = 0;
  std::size_t inputEnd = 0;  // bytes of input read up to this chunk's end
  std::string output;
  std::string messages;
  std::size_t rows = 0;
  std::size_t charted = 0;
};

// The cells of a JSON Lines row, kept alive while the row is charted.
struct JsonCells {
  std::array<std::string, kBatchColumnCount> storage;
  RowCells cells;
};

// A JSON line's keys into cells, or the message that refuses the row.
std::string CellsFromJson(std::string_view line, JsonCells& row) {
  row.cells = RowCells{};
  const nlohmann::json value = nlohmann::json::parse(line, nullptr, false);
  if (value.is_discarded() || !value.is_object()) return "the line is not a JSON object";
  for (const auto& [key, item] : value.items()) {
    const std::optional<BatchColumn> column = ColumnNamed(key);
    if (!column && LibraryOnlyKey(key)) continue;
    if (!column) return "unknown key \"" + key + "\"; the keys are name, date, time, zone, dst, lon, lat and place";
    std::string& text = row.storage[Index(*column)];
    if (item.is_string()) {
      text = item.get<std::string>();
    } else if (*column == BatchColumn::Dst && item.is_boolean()) {
      text = item.get<bool>() ? "true" : "false";
    } else if (*column == BatchColumn::Zone && item.is_number_unsigned()) {
      text = std::to_string(item.get<unsigned long long>());
    } else {
      return "\"" + key + "\" must be a string";
    }
    row.cells.Set(*column, text);
  }
  return MissingColumn(row.cells.given);
}

class Batch {
 public:
  Batch(const BatchRequest& request, BatchInput format, Input& input, Header header)
      : request_(request), format_(format), input_(input), header_(std::move(header)) {
    jobs_ = request.jobs ? request.jobs : std::max(1u, std::thread::hardware_concurrency());
    slots_.resize(2 * jobs_ + 2);
  }

  // Runs the reader and the workers; the calling thread writes.
  // Returns an empty string, or the reason the batch failed.
  std::string Run(std::string rest, std::size_t firstLine, std::size_t consumed, BatchSink& sink);

  std::size_t Rows() const { return rows_; }
  std::size_t Charted() const { return charted_; }

 private:
  void Read(std::string rest, std::size_t firstLine, std::size_t consumed);
  void Work();
  void Process(Chunk& chunk) const;
  void ProcessCsv(Chunk& chunk) const;
  void ProcessJsonLines(Chunk& chunk) const;
  void Chart(Chunk& chunk, std::size_t line, const RowCells& cells) const;
  void Refuse(Chunk& chunk, std::size_t line, std::string_view message) const;
  // Hands a chunk of input to the workers; waits for a free slot.
  void Submit(std::string_view text, std::size_t firstLine, std::size_t inputEnd);

  const BatchRequest& request_;
  BatchInput format_;
  Input& input_;
  Header header_;
  unsigned jobs_;
  std::vector<Chunk> slots_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<std::size_t> todo_;
  std::size_t submitted_ = 0;
  bool inputDone_ = false;
  std::string readError_;
  std::size_t rows_ = 0;
  std::size_t charted_ = 0;
};

void Batch::Submit(std::string_view text, std::size_t firstLine, std::size_t inputEnd) {
  std::unique_lock lock(mutex_);
  const std::size_t seq = submitted_;
  Chunk& chunk = slots_[seq % slots_.size()];
  changed_.wait(lock, [&chunk] { return chunk.state == Chunk::State::Free; });
  chunk.input.assign(text);
  chunk.firstLine = firstLine;
  chunk.inputEnd = inputEnd;
  chunk.state = Chunk::State::Filled;
  todo_.push_back(seq);
  ++submitted_;
  changed_.notify_all();
}

// The length of the whole records at the start of `text`, 0 when none ends in it.
std::size_t WholeRowsLength(BatchInput format, std::string_view text) {
  if (format == BatchInput::Csv) return WholeRecordsLength(text);
  const std::size_t last = text.rfind('\n');
  return last == std::string_view::npos ? 0 : last + 1;
}

void Batch::Read(std::string text, std::size_t line, std::size_t consumed) {
  bool end = false;
  bool failed = false;
  const auto more = [&] {
    const long n = input_.Read(text);
    failed = n < 0;
    end = n <= 0;
  };
  for (;;) {
    while (!end && text.size() < kChunkBytes) more();
    if (failed || text.empty()) break;
    // Whole records only, so that no row is split between two chunks; a
    // record longer than a chunk goes whole.
    std::size_t cut = WholeRowsLength(format_, std::string_view(text).substr(0, kChunkBytes));
    if (cut == 0) cut = WholeRowsLength(format_, text);
    while (cut == 0 && !end) {
      more();
      cut = WholeRowsLength(format_, text);
    }
    if (failed) break;
    if (cut == 0) cut = text.size();  // the last record, without its line break
    const std::string_view piece(text.data(), cut);
    consumed += cut;
    Submit(piece, line, consumed);
    line += static_cast<std::size_t>(std::count(piece.begin(), piece.end(), '\n'));
    text.erase(0, cut);
  }
  std::lock_guard lock(mutex_);
  readError_ = input_.Error();
  inputDone_ = true;
  changed_.notify_all();
}

void Batch::Process(Chunk& chunk) const {
  chunk.output.clear();
  chunk.messages.clear();
  chunk.rows = 0;
  chunk.charted = 0;
  if (format_ == BatchInput::Csv) {
    ProcessCsv(chunk);
  } else {
    ProcessJsonLines(chunk);
  }
}

void Batch::Chart(Chunk& chunk, std::size_t line, const RowCells& cells) const {
  ++chunk.rows;
  if (ChartRow(line, cells, request_.output, chunk.output, chunk.messages)) ++chunk.charted;
}

void Batch::Refuse(Chunk& chunk, std::size_t line, std::string_view message) const {
  ++chunk.rows;
  RefuseRow(line, message, request_.output, chunk.output, chunk.messages);
}

void Batch::ProcessCsv(Chunk& chunk) const {
  CsvReader reader(chunk.input, chunk.firstLine);
  CsvRecord record;
  RowCells cells;
  while (reader.Next(record)) {
    if (!record.error.empty()) {
      Refuse(chunk, record.line, record.error);
    } else if (record.fields.size() != header_.columns.size()) {
      Refuse(chunk, record.line,
             "the row has " + std::to_string(record.fields.size()) + " fields; the header has " +
                 std::to_string(header_.columns.size()));
    } else {
      for (std::size_t i = 0; i < record.fields.size(); ++i) {
        if (header_.columns[i]) cells.Set(*header_.columns[i], record.fields[i]);
      }
      Chart(chunk, record.line, cells);
    }
  }
}

void Batch::ProcessJsonLines(Chunk& chunk) const {
  JsonCells row;
  std::size_t line = chunk.firstLine;
  std::string_view rest = chunk.input;
  while (!rest.empty()) {
    const std::size_t end = rest.find('\n');
    const std::string_view text = Trimmed(rest.substr(0, end));
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
    if (!text.empty() && text != "\r") {
      const std::string refusal = CellsFromJson(text, row);
      if (refusal.empty()) {
        Chart(chunk, line, row.cells);
      } else {
        Refuse(chunk, line, refusal);
      }
    }
    ++line;
  }
}

void Batch::Work() {
  for (;;) {
    std::size_t seq;
    {
      std::unique_lock lock(mutex_);
      changed_.wait(lock, [this] { return !todo_.empty() || inputDone_; });
      if (todo_.empty()) return;
      seq = todo_.front();
      todo_.pop_front();
    }
    Chunk& chunk = slots_[seq % slots_.size()];
    Process(chunk);
    std::lock_guard lock(mutex_);
    chunk.state = Chunk::State::Done;
    changed_.notify_all();
  }
}

std::string Batch::Run(std::string rest, std::size_t firstLine, std::size_t consumed, BatchSink& sink) {
  std::thread reader([this, rest = std::move(rest), firstLine, consumed]() mutable { Read(std::move(rest), firstLine, consumed); });
  std::vector<std::thread> workers;
  for (unsigned i = 0; i < jobs_; ++i) workers.emplace_back([this] { Work(); });

  Progress progress(request_.quiet, input_.Size());
  std::string failure = sink.Write(OutputHeader(request_.output));
  for (std::size_t seq = 0;; ++seq) {
    Chunk& chunk = slots_[seq % slots_.size()];
    {
      std::unique_lock lock(mutex_);
      changed_.wait(lock, [&] { return chunk.state == Chunk::State::Done || (inputDone_ && seq == submitted_); });
      if (chunk.state != Chunk::State::Done) break;
    }
    if (failure.empty()) failure = sink.Write(chunk.output);
    if (!chunk.messages.empty()) {
      progress.Clear();
      std::fputs(chunk.messages.c_str(), stderr);
    }
    rows_ += chunk.rows;
    charted_ += chunk.charted;
    progress.Show(rows_, chunk.inputEnd);
    std::lock_guard lock(mutex_);
    chunk.state = Chunk::State::Free;
    changed_.notify_all();
  }
  progress.Clear();
  reader.join();
  for (std::thread& worker : workers) worker.join();
  if (!readError_.empty()) return "cannot read " + input_.Name() + ": " + readError_;
  return failure;
}

std::optional<BatchInput> FormatFromName(const std::string& path) {
  const auto endsWith = [&path](std::string_view suffix) {
    return path.size() >= suffix.size() &&
           std::equal(suffix.rbegin(), suffix.rend(), path.rbegin(), [](char a, char b) {
             return a == std::tolower(static_cast<unsigned char>(b));
           });
  };
  if (endsWith(".csv")) return BatchInput::Csv;
  if (endsWith(".jsonl") || endsWith(".ndjson")) return BatchInput::Jsonl;
  return std::nullopt;
}

int Fail(const std::string& message) {
  std::fprintf(stderr, "orbisca-chart: %s\n", message.c_str());
  return kBatchFailed;
}

// Where the rows begin: the text read so far after the header, its line and
// its offset in the input.
struct Start {
  std::string text;
  std::size_t line = 1;
  std::size_t consumed = 0;
};

// Reads the CSV header, which comes before any worker starts; the message
// that refuses the file, or empty.
std::string ReadCsvHeader(Input& input, Start& start, Header& header) {
  std::string& text = start.text;
  std::size_t cut = 0;
  bool end = false;
  while ((cut = WholeRecordsLength(text)) == 0 && !end) {
    const long n = input.Read(text);
    if (n < 0) return "cannot read " + input.Name() + ": " + input.Error();
    end = n == 0;
  }
  if (cut == 0) cut = text.size();
  // A byte-order mark is no part of the first column's name.
  const std::size_t bom = text.rfind("\xEF\xBB\xBF", 0) == 0 ? 3 : 0;
  CsvReader reader(std::string_view(text).substr(bom, cut - bom));
  CsvRecord record;
  if (!reader.Next(record)) return input.Name() + " is empty; the first line names the columns";
  header = ReadHeader(record);
  if (!header.error.empty()) return input.Name() + ": " + header.error;
  start.line = reader.Line();
  start.consumed = bom + reader.Offset();
  text.erase(0, start.consumed);
  return {};
}

}  // namespace

int RunBatch(const BatchRequest& request) {
  const std::optional<BatchInput> format = request.inputFormat ? request.inputFormat : FormatFromName(request.inputPath);
  if (!format) {
    return Fail("cannot tell the format of " + (request.inputPath == "-" ? std::string("standard input") : request.inputPath) +
                "; give --input csv or --input jsonl");
  }
  Input input;
  if (const std::string reason = input.Open(request.inputPath); !reason.empty()) {
    return Fail("cannot read " + input.Name() + ": " + reason);
  }
  Start start;
  Header header;
  if (*format == BatchInput::Csv) {
    if (const std::string refusal = ReadCsvHeader(input, start, header); !refusal.empty()) return Fail(refusal);
  }
  BatchSink sink;
  if (const std::string reason = sink.Open(request.outputPath); !reason.empty()) {
    return Fail("cannot write " + request.outputPath + ": " + reason);
  }
  Batch batch(request, *format, input, std::move(header));
  std::string failure = batch.Run(std::move(start.text), start.line, start.consumed, sink);
  if (failure.empty()) failure = sink.Commit();
  if (!failure.empty()) {
    sink.Abandon();
    return Fail(failure);
  }
  const std::size_t refused = batch.Rows() - batch.Charted();
  std::fprintf(stderr, "orbisca-chart: %zu rows read, %zu charted, %zu refused\n", batch.Rows(), batch.Charted(), refused);
  return refused == 0 ? kBatchAllCharted : kBatchSomeRefused;
}

}  // namespace orbisca::cli
