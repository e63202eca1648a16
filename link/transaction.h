// Command/reply exchanges with the radio. Commands and replies are hex text, two upper-case
// digits a byte. Exchange sends and collects; Transact adds the trace lines, the reply
// check, up to three attempts and the "communication failed" message.
#pragma once

#include <functional>
#include <string>

#include "link/clock.h"
#include "link/protocol.h"
#include "link/serial_port.h"
#include "link/trace_log.h"

namespace vgr47 {

// Result codes of CollectReply and Exchange.
inline constexpr int ResultOk = 0;
inline constexpr int ResultTimeout = 99;
inline constexpr int ResultOddLength = -20;

inline constexpr int kTransactAttempts = 3;

// Everything a radio conversation works with: the dialog's port and trace log, and the clock
// the time-outs are measured on. Nothing here talks to the user: failures are returned.
struct LinkContext {
    SerialPort& port;
    Clock& clock;
    TraceLog& trace;
};

// 0..15 for a hex digit of either case, -1 for anything else.
int HexDigitValue(char c);
// Converts pairs of hex digits, high digit first. A trailing single digit is ignored; a pair
// with a non-hex character ends the conversion. Returns the number of bytes produced.
int HexTextToBytes(const std::string& text, Bytes& out);
std::string BytesToHexText(const Bytes& bytes);

// Writes the bytes of the hex text in one write. Returns 0.
int SendHex(SerialPort& port, const std::string& command);

// Tells a complete reply (hex text of the expected length) that belongs to an earlier
// command, so that it is dropped instead of taken.
using StaleReplyCheck = std::function<bool(const std::string& replyHex)>;

// Collects `expected` bytes into `reply` (as hex text) within `timeoutMs` milliseconds
// measured from the call: the reply is taken while the whole milliseconds elapsed are at
// most the time-out. Bytes beyond the expected count that came in the same read are
// discarded. Waits block on the port; nothing spins. On ResultTimeout the reply holds the
// partial bytes. A reply that isStale names is dropped (appended to *dropped) and the
// collection goes on within the same time-out.
int CollectReply(SerialPort& port, Clock& clock, std::string& reply, int expected, int timeoutMs,
                 const StaleReplyCheck& isStale = {}, std::string* dropped = nullptr);

// Sends the command and collects the reply. ResultOddLength (nothing sent) for a command of
// odd length. An expected count of 0 returns ResultOk without looking at the port.
int Exchange(SerialPort& port, Clock& clock, const std::string& command, std::string& reply,
             int expected, int timeoutMs, const StaleReplyCheck& isStale = {},
             std::string* dropped = nullptr);

// Exchange with trace lines and up to `attempts` attempts. Succeeds when the reply arrived in
// time and equals expectedReply (any reply when that is empty); false when every attempt
// failed, the port left as it is. With lateWaitMs, a failed attempt is followed by that long
// a pause and the line is drained before the command goes again, so that the late answer to
// one attempt cannot pass for the next one's.
bool Transact(const LinkContext& link, const std::string& command, std::string& reply, int expected,
              int timeoutMs, const std::string& expectedReply, int lateWaitMs = 0,
              int attempts = kTransactAttempts);
// The same for a command of the protocol table, with its reply, time-out and attempts.
bool Transact(const LinkContext& link, RadioCommand id, std::string& reply,
              const std::string& argumentsHex = "");

// One block of a read or a write: sent up to the command's attempts while it times out. The
// line is drained before each attempt, so that a late byte of an earlier reply cannot shift
// this one, and a time-out is followed by the command's late wait and a drain, so that an
// answer still under way cannot answer the next attempt or the next block. A complete reply
// that isStale names is dropped ("D:" in the trace). Returns the last attempt's result code.
int ExchangeBlock(const LinkContext& link, RadioCommand id, const std::string& command,
                  std::string& reply, const StaleReplyCheck& isStale = {});

// Throws away whatever bytes are waiting, so that a late byte of an earlier reply cannot
// shift the next one.
void DiscardWaiting(SerialPort& port);

// DiscardWaiting, and when anything was waiting, goes on discarding until the line has been
// quiet for a moment, so that no tail of a late reply is left to arrive after the next
// command. The trace gets a "D:" line with what was thrown away.
void DrainLine(const LinkContext& link);

// After a reply's time-out: waits a further `ms` for whatever late answer is under way, then
// drains the line.
void WaitOutLateReply(const LinkContext& link, int ms);

}  // namespace vgr47
