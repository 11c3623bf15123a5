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

#include "births/library.h"
#include "births/text_records.h"
#include "cli/batch_output.h"
#include "cli/csv_reader.h"
#include "cli/input_pieces.h"
#include "cli/standard_output.h"

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
    name_ = path == "-" ? "standard input" : EscapeControls(path);
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
  // Reads up to kReadBytes into `block`: the bytes read, 0 at the end, -1 on error.
  long Read(std::string& block) {
    block.resize(kReadBytes);
    ssize_t n;
    do {
      n = read(fd_, block.data(), kReadBytes);
    } while (n < 0 && errno == EINTR);
    block.resize(static_cast<std::size_t>(std::max<ssize_t>(n, 0)));
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
    if (!column) {
      return {{}, "the header names an unknown column \"" + EscapeControls(field) +
                      "\"; the columns are name, date, time, zone, dst, lon, lat and place"};
    }
    if (seen[Index(*column)]) return {{}, "the header names the column \"" + EscapeControls(key) + "\" twice"};
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
  bool tooLong = false;      // a record too long to keep, refused on firstLine
  RowSink sink;
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
  // A key given twice is refused, as a CSV column named twice is; the parser
  // would keep the last value.
  // An unknown key is refused anyway and a library-only key is passed over,
  // so only the columns' keys are noted.
  std::array<bool, kBatchColumnCount> seen{};
  std::string_view twice;
  const auto noteKey = [&](int depth, nlohmann::json::parse_event_t event, nlohmann::json& parsed) {
    if (depth == 1 && event == nlohmann::json::parse_event_t::key && twice.empty()) {
      const std::optional<BatchColumn> column = ColumnNamed(parsed.get_ref<const std::string&>());
      if (column && seen[Index(*column)]) twice = kBatchColumns[Index(*column)].key;
      if (column) seen[Index(*column)] = true;
    }
    return true;
  };
  const nlohmann::json value = nlohmann::json::parse(line, noteKey, false);
  if (value.is_discarded() || !value.is_object()) return "the line is not a JSON object";
  if (!twice.empty()) return "the key \"" + std::string(twice) + "\" is given twice";
  for (const auto& [key, item] : value.items()) {
    const std::optional<BatchColumn> column = ColumnNamed(key);
    if (!column && LibraryOnlyKey(key)) continue;
    if (!column) return "unknown key \"" + EscapeControls(key) + "\"; the keys are name, date, time, zone, dst, lon, lat and place";
    std::string& text = row.storage[Index(*column)];
    if (item.is_string()) {
      text = item.get<std::string>();
    } else if (*column == BatchColumn::Dst && item.is_boolean()) {
      text = item.get<bool>() ? "true" : "false";
    } else if (*column == BatchColumn::Zone && item.is_number_unsigned()) {
      text = std::to_string(item.get<unsigned long long>());
    } else {
      return "\"" + EscapeControls(key) + "\" must be a string";
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

  // Runs the reader and the workers; the calling thread writes. `first` is
  // what the header left of the input read so far. Returns an empty string,
  // or the reason the batch failed.
  std::string Run(RecordSplitter& splitter, InputPiece first, BatchSink& sink);

  std::size_t Rows() const { return rows_; }
  std::size_t Charted() const { return charted_; }

 private:
  void Read(RecordSplitter& splitter, InputPiece first);
  void Work();
  void Process(Chunk& chunk) const;
  void ProcessCsv(Chunk& chunk) const;
  void ProcessJsonLines(Chunk& chunk) const;
  void Chart(Chunk& chunk, std::size_t line, const RowCells& cells) const;
  void Refuse(Chunk& chunk, std::size_t line, std::string_view message) const;
  // Hands a piece of input to the workers; waits for a free slot. False
  // when the batch has stopped.
  bool Submit(InputPiece& piece);

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
  bool stopped_ = false;  // the output failed: nothing more is read or charted
  std::string readError_;
  std::size_t rows_ = 0;
  std::size_t charted_ = 0;
};

bool Batch::Submit(InputPiece& piece) {
  std::unique_lock lock(mutex_);
  const std::size_t seq = submitted_;
  Chunk& chunk = slots_[seq % slots_.size()];
  changed_.wait(lock, [&] { return chunk.state == Chunk::State::Free || stopped_; });
  if (stopped_) return false;
  chunk.input.swap(piece.text);
  chunk.firstLine = piece.firstLine;
  chunk.inputEnd = piece.end;
  chunk.tooLong = piece.tooLong;
  chunk.state = Chunk::State::Filled;
  todo_.push_back(seq);
  ++submitted_;
  changed_.notify_all();
  return true;
}

void Batch::Read(RecordSplitter& splitter, InputPiece first) {
  bool going = first.text.empty() || Submit(first);
  std::string block;
  InputPiece piece;
  while (going) {
    const long n = input_.Read(block);
    if (n < 0) break;
    if (n == 0) {
      splitter.End();
    } else {
      splitter.Add(block);
    }
    // Whole records only, so that no row is split between two chunks; a
    // record longer than a chunk goes whole, up to the record limit.
    while (going && splitter.Take(piece)) going = Submit(piece);
    if (n == 0) break;
  }
  std::lock_guard lock(mutex_);
  readError_ = input_.Error();
  inputDone_ = true;
  changed_.notify_all();
}

void Batch::Process(Chunk& chunk) const {
  chunk.sink.out.clear();
  chunk.sink.messages.clear();
  chunk.rows = 0;
  chunk.charted = 0;
  if (chunk.tooLong) {
    Refuse(chunk, chunk.firstLine, kRecordTooLong);
  } else if (format_ == BatchInput::Csv) {
    ProcessCsv(chunk);
  } else {
    ProcessJsonLines(chunk);
  }
}

void Batch::Chart(Chunk& chunk, std::size_t line, const RowCells& cells) const {
  ++chunk.rows;
  if (ChartRow(line, cells, request_.output, chunk.sink)) ++chunk.charted;
}

void Batch::Refuse(Chunk& chunk, std::size_t line, std::string_view message) const {
  ++chunk.rows;
  RefuseRow(line, message, request_.output, chunk.sink);
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
  JsonLinesReader reader(chunk.input, chunk.firstLine);
  std::size_t line = 0;
  std::string_view text;
  while (reader.Next(line, text)) {
    const std::string refusal = CellsFromJson(text, row);
    if (refusal.empty()) {
      Chart(chunk, line, row.cells);
    } else {
      Refuse(chunk, line, refusal);
    }
  }
}

void Batch::Work() {
  for (;;) {
    std::size_t seq;
    {
      std::unique_lock lock(mutex_);
      changed_.wait(lock, [this] { return !todo_.empty() || inputDone_ || stopped_; });
      if (todo_.empty() || stopped_) return;
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

std::string Batch::Run(RecordSplitter& splitter, InputPiece first, BatchSink& sink) {
  std::thread reader([this, &splitter, first = std::move(first)]() mutable { Read(splitter, std::move(first)); });
  std::vector<std::thread> workers;
  for (unsigned i = 0; i < jobs_; ++i) workers.emplace_back([this] { Work(); });

  Progress progress(request_.quiet, input_.Size());
  std::string failure = sink.Write(OutputHeader(request_.output));
  for (std::size_t seq = 0; failure.empty(); ++seq) {
    Chunk& chunk = slots_[seq % slots_.size()];
    {
      std::unique_lock lock(mutex_);
      changed_.wait(lock, [&] { return chunk.state == Chunk::State::Done || (inputDone_ && seq == submitted_); });
      if (chunk.state != Chunk::State::Done) break;
    }
    failure = sink.Write(chunk.sink.out);
    if (!chunk.sink.messages.empty()) {
      progress.Clear();
      WriteMessage(chunk.sink.messages);
    }
    rows_ += chunk.rows;
    charted_ += chunk.charted;
    progress.Show(rows_, chunk.inputEnd);
    std::lock_guard lock(mutex_);
    chunk.state = Chunk::State::Free;
    changed_.notify_all();
  }
  if (!failure.empty()) {
    // The first write that fails ends the batch: the rows left are neither
    // read nor charted.
    std::lock_guard lock(mutex_);
    stopped_ = true;
    changed_.notify_all();
  }
  progress.Clear();
  reader.join();
  for (std::thread& worker : workers) worker.join();
  if (failure.empty() && !readError_.empty()) return "cannot read " + input_.Name() + ": " + readError_;
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
  WriteMessage("orbisca-chart: " + message + "\n");
  return kBatchFailed;
}

// Reads the CSV header, which comes before any worker starts; the message
// that refuses the file, or empty. `rest` gets the whole records read after it.
std::string ReadCsvHeader(Input& input, RecordSplitter& splitter, Header& header, InputPiece& rest) {
  std::string block;
  InputPiece piece;
  for (bool end = false;;) {
    if (!splitter.TakeRecords(piece)) {
      if (end) return input.Name() + " is empty; the first line names the columns";
      const long n = input.Read(block);
      if (n < 0) return "cannot read " + input.Name() + ": " + input.Error();
      end = n == 0;
      if (end) {
        splitter.End();
      } else {
        splitter.Add(block);
      }
      continue;
    }
    if (piece.tooLong) return input.Name() + ": the header is longer than 1 MiB";
    CsvReader reader(piece.text, piece.firstLine);
    CsvRecord record;
    if (!reader.Next(record)) continue;  // blank lines only
    header = ReadHeader(record);
    if (!header.error.empty()) return input.Name() + ": " + header.error;
    rest.firstLine = reader.Line();
    rest.end = piece.end;
    rest.text = piece.text.substr(reader.Offset());
    return {};
  }
}

// The births of the library, by id, charted in blocks: each block is cut
// among the workers, and their rows are written in id order.
int RunLibraryBatch(const BatchRequest& request) {
  std::vector<births::SavedBirth> saved;
  try {
    saved = births::Library(*request.library, births::Access::Read).List();
  } catch (const births::LibraryError& e) {
    return Fail(e.what());
  }
  std::sort(saved.begin(), saved.end(),
            [](const births::SavedBirth& a, const births::SavedBirth& b) { return a.id < b.id; });
  BatchSink sink;
  if (const std::string reason = sink.Open(request.outputPath); !reason.empty()) {
    return Fail("cannot write " + EscapeControls(request.outputPath) + ": " + reason);
  }
  BatchOutput output = request.output;
  output.rowKey = "id";
  const std::size_t jobs = request.jobs ? request.jobs : std::max(1u, std::thread::hardware_concurrency());
  std::vector<RowSink> parts(jobs);
  std::vector<std::size_t> charted(jobs);
  std::size_t total = 0;
  constexpr std::size_t kBlock = 1024;
  std::string failure = sink.Write(OutputHeader(output));
  for (std::size_t begin = 0; begin < saved.size() && failure.empty(); begin += kBlock) {
    const std::size_t end = std::min(saved.size(), begin + kBlock);
    const std::size_t share = (end - begin + jobs - 1) / jobs;
    std::vector<std::thread> workers;
    for (std::size_t j = 0; j < jobs; ++j) {
      workers.emplace_back([&, j] {
        parts[j].out.clear();
        parts[j].messages.clear();
        for (std::size_t i = begin + j * share; i < std::min(end, begin + (j + 1) * share); ++i) {
          const births::SavedBirth& s = saved[i];
          if (ChartBirthRow(static_cast<std::size_t>(s.id), s.birth, std::nullopt, output, parts[j])) ++charted[j];
        }
      });
    }
    for (std::thread& w : workers) w.join();
    for (RowSink& part : parts) {
      if (failure.empty()) failure = sink.Write(part.out);
      if (!part.messages.empty()) WriteMessage(part.messages);
    }
  }
  if (failure.empty()) failure = sink.Commit();
  if (!failure.empty()) {
    sink.Abandon();
    return Fail(failure);
  }
  for (std::size_t c : charted) total += c;
  const std::size_t refused = saved.size() - total;
  std::fprintf(stderr, "orbisca-chart: %zu births read, %zu charted, %zu refused\n", saved.size(), total, refused);
  return refused == 0 ? kBatchAllCharted : kBatchSomeRefused;
}

}  // namespace

int RunBatch(const BatchRequest& request) {
  if (request.library) return RunLibraryBatch(request);
  const std::optional<BatchInput> format = request.inputFormat ? request.inputFormat : FormatFromName(request.inputPath);
  if (!format) {
    return Fail("cannot tell the format of " + (request.inputPath == "-" ? std::string("standard input") : request.inputPath) +
                "; give --input csv or --input jsonl");
  }
  Input input;
  if (const std::string reason = input.Open(request.inputPath); !reason.empty()) {
    return Fail("cannot read " + input.Name() + ": " + reason);
  }
  RecordSplitter splitter(*format == BatchInput::Csv ? RecordGrammar::Csv : RecordGrammar::Lines, kChunkBytes);
  InputPiece first;
  Header header;
  if (*format == BatchInput::Csv) {
    if (const std::string refusal = ReadCsvHeader(input, splitter, header, first); !refusal.empty()) return Fail(refusal);
  }
  // A place column needs the atlas: one that cannot be read stops the batch
  // before it begins, rather than refusing every row for it.
  if (std::find(header.columns.begin(), header.columns.end(), BatchColumn::Place) != header.columns.end()) {
    std::string error;
    if (!ProcessAtlas(error)) return Fail("--place: " + error);
  }
  BatchSink sink;
  if (const std::string reason = sink.Open(request.outputPath); !reason.empty()) {
    return Fail("cannot write " + EscapeControls(request.outputPath) + ": " + reason);
  }
  Batch batch(request, *format, input, std::move(header));
  std::string failure = batch.Run(splitter, std::move(first), sink);
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
