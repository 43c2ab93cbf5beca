#include "speech_channel.h"

#include <libspeechd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "japanese_voice.h"

namespace lexiv::reader {
namespace {

// libspeechd's callbacks carry no user data; there is one channel per process. The tracker is
// never destroyed: the channel, a static made before it, closes the connection when the library
// is unloaded and still tells the tracker, and libspeechd's thread may call in until then.
SpeakingTracker& Tracker() {
  static SpeakingTracker* tracker = new SpeakingTracker;
  return *tracker;
}

void OnBegin(size_t messageId, size_t, SPDNotificationType) { Tracker().Began(messageId); }
void OnFinished(size_t messageId, size_t, SPDNotificationType) { Tracker().Finished(messageId); }

SPDConnection* Spd(void* connection) { return static_cast<SPDConnection*>(connection); }

// espeak-ng's module lists every voice with each of its variants, some thirteen thousand lines
// that take the client library more than a second to read, on the way to the program's first
// words. Its data always has the Japanese voice (language "ja"), which the server picks for the
// language by itself, so that module is not asked.
constexpr const char* kEspeakNgModule = "espeak-ng";

// Every voice of every output module the server has. Asking for a module's voices means choosing
// that module, so the one in use is chosen again afterwards.
std::vector<VoiceOffer> ListVoices(SPDConnection* connection) {
  std::vector<VoiceOffer> offers;
  char* current = ::spd_get_output_module(connection);
  char** modules = ::spd_list_modules(connection);
  for (int m = 0; modules != nullptr && modules[m] != nullptr; ++m) {
    if (std::strcmp(modules[m], kEspeakNgModule) == 0) {
      offers.push_back({modules[m], "", "ja"});
      continue;
    }
    if (::spd_set_output_module(connection, modules[m]) != 0) continue;
    SPDVoice** voices = ::spd_list_synthesis_voices(connection);
    for (int v = 0; voices != nullptr && voices[v] != nullptr; ++v) {
      if (voices[v]->name == nullptr) continue;
      offers.push_back({modules[m], voices[v]->name, voices[v]->language != nullptr ? voices[v]->language : ""});
    }
    if (voices != nullptr) ::free_spd_voices(voices);
  }
  if (modules != nullptr) ::free_spd_modules(modules);
  if (current != nullptr) {
    ::spd_set_output_module(connection, current);
    std::free(current);
  }
  return offers;
}

// The server's answer to a message's text: "225-<id>" on its first line.
int MessageIdOfReply(const char* reply) {
  if (reply == nullptr || std::strncmp(reply, "225-", 4) != 0) return -1;
  return std::atoi(reply + 4);
}

}  // namespace

SpeechChannel::~SpeechChannel() { Close(); }

void SpeechChannel::Close() {
  if (connection_ == nullptr) return;
  ::spd_close(Spd(connection_));
  connection_ = nullptr;
  Tracker().CancelAll();
}

bool SpeechChannel::Connect() {
  if (connection_ != nullptr) return true;
  const std::uint64_t now = MonotonicMs();
  if (attempted_ && now - lastAttemptMs_ < kRetryMs) return false;
  attempted_ = true;
  lastAttemptMs_ = now;
  char* error = nullptr;
  SPDConnectionAddress* address = ::spd_get_default_address(&error);
  std::free(error);
  error = nullptr;
  if (address == nullptr) return false;
  SPDConnection* connection = ::spd_open2("lexiv", "voxausr", nullptr, SPD_MODE_THREADED, address, /*autospawn=*/0, &error);
  ::SPDConnectionAddress__free(address);
  std::free(error);
  if (connection == nullptr) return false;
  connection->callback_begin = OnBegin;
  connection->callback_end = OnFinished;
  connection->callback_cancel = OnFinished;
  ::spd_set_notification_on(connection, SPD_BEGIN);
  ::spd_set_notification_on(connection, SPD_END);
  ::spd_set_notification_on(connection, SPD_CANCEL);
  ::spd_set_data_mode(connection, SPD_DATA_SSML);
  // Set once here rather than before every message, as the library's own spd_say does: one
  // round trip less between a key and its text reaching the server.
  ::spd_execute_command(connection, "SET SELF PRIORITY TEXT");
  ::spd_set_language(connection, "ja");
  ::spd_set_voice_rate(connection, rate_);
  connection_ = connection;
  ChooseJapaneseVoice();
  return true;
}

void SpeechChannel::ChooseJapaneseVoice() {
  SPDConnection* connection = Spd(connection_);
  const std::optional<VoiceOffer> voice = reader::ChooseJapaneseVoice(ListVoices(connection));
  if (voice) {
    ::spd_set_output_module(connection, voice->module.c_str());
    if (!voice->name.empty()) ::spd_set_synthesis_voice(connection, voice->name.c_str());
    return;
  }
  if (toldNoJapaneseVoice_) return;
  toldNoJapaneseVoice_ = true;
  std::fputs("libvoxausr: the speech server has no Japanese voice; its default voice reads the Japanese text "
             "(docs/speech.md says how to add one)\n",
             stderr);
}

void SpeechChannel::Track(int messageId) {
  if (messageId > 0) {
    Tracker().Sent(static_cast<std::uint64_t>(messageId), MonotonicMs());
  } else {
    // The server went away: start again later.
    Close();
  }
}

bool SpeechChannel::SaySsml(const std::string& ssml) {
  if (connection_ == nullptr) return false;
  // The text and its end mark in one write. The SSML holds no carriage return (control
  // characters become spaces) and starts with its tag, so no line of it can be taken for the end
  // mark and no dot needs doubling.
  int id = -1;
  char* reply = ::spd_send_data(Spd(connection_), "SPEAK\r\n", SPD_WAIT_REPLY);
  const bool receiving = reply != nullptr && std::strncmp(reply, "230", 3) == 0;
  std::free(reply);
  if (receiving) {
    const std::string message = ssml + "\r\n.\r\n";
    reply = ::spd_send_data(Spd(connection_), message.c_str(), SPD_WAIT_REPLY);
    id = MessageIdOfReply(reply);
    std::free(reply);
  }
  Track(id);
  return id > 0;
}

bool SpeechChannel::SayCharacter(const std::string& utf8Character) {
  if (connection_ == nullptr) return false;
  // As spd_char, without setting the priority again first; the server's id for a character is not
  // kept, so its end cannot be tracked.
  if (utf8Character.empty() || utf8Character.size() > 6) return false;
  const std::string command = "CHAR " + utf8Character;
  const int result = ::spd_execute_command(Spd(connection_), command.c_str());
  if (result < 0) Close();
  return result >= 0;
}

void SpeechChannel::CancelAll() {
  if (connection_ == nullptr) return;
  ::spd_cancel(Spd(connection_));
  Tracker().CancelAll();
}

void SpeechChannel::SetRate(int rate) {
  rate_ = rate;
  if (connection_ != nullptr) ::spd_set_voice_rate(Spd(connection_), rate_);
}

bool SpeechChannel::Speaking() { return connection_ != nullptr && Tracker().Speaking(MonotonicMs()); }

}  // namespace lexiv::reader
