// lexiv-query's standard input, output and error as plain file descriptors, buffered here. The
// program uses these rather than the C++ streams, whose set-up (every facet of the classic
// locale, the eight standard streams) is a noticeable part of a run that searches one word.
#pragma once

#include <string>
#include <string_view>

#include "tools/query_command.h"

namespace lexiv {

class DescriptorStreams : public QueryStreams {
 public:
  DescriptorStreams(int in, int out, int err) : in_(in), out_(out), err_(err) {}
  ~DescriptorStreams() override { Flush(); }
  DescriptorStreams(const DescriptorStreams&) = delete;
  DescriptorStreams& operator=(const DescriptorStreams&) = delete;

  bool ReadLine(std::string& line) override;
  bool InputReady() override;
  void Write(std::string_view bytes) override;
  void Flush() override;
  void WriteError(std::string_view message) override;

 private:
  // Reads more input into the buffer (waiting for it); false at the end or on an error.
  bool Fill();

  int in_;
  int out_;
  int err_;
  std::string input_;
  std::size_t inputPos_ = 0;
  bool inputEnded_ = false;
  std::string output_;
  bool outputFailed_ = false;  // a closed pipe, say: the rest is dropped, as a stream would
};

}  // namespace lexiv
