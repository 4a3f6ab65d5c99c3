// SPDX-License-Identifier: MIT
#pragma once

#include <string_view>

#include "protocol/room_text.h"

// The command words of the game protocol, one table per direction. Fields inside the data are
// separated by code 3 and listed in order; "-" is the data of a message with nothing to say.
// The fourteen drawing codes are in protocol/drawing.h.
namespace protocol {

namespace to_server {
// Client version text (major, minor as 2 digits, revision as 3). Answered by SCRAWLBOX_S3RV3R,
// OLDVERSION or BANNED.
inline constexpr std::string_view SCRAWLBOX_CL13NT = "SCRAWLBOX_CL13NT";
// nickname, auto-skip flag, age, gender, location, homepage, quote. Answered by USEROK.
inline constexpr std::string_view USER = "USER";
// Password text (clients send "<none>"). Enters the room; answered by PASSOK.
inline constexpr std::string_view PASS = "PASS";
// "-". The player refused the room's agreement; answered by PING.
inline constexpr std::string_view DISAGREE = "DISAGREE";
// Nickname. Accepted in no state: it closes the sender's connection.
inline constexpr std::string_view NICK = "NICK";
// Anything. A probe that needs no login; answered by ISALIVE "YES".
inline constexpr std::string_view ISALIVE = "ISALIVE";
// "-". The answer to PING.
inline constexpr std::string_view PONG = "PONG";
// Chat text; during a game it is a guess first.
inline constexpr std::string_view SAY = "SAY";
// Info text.
inline constexpr std::string_view NEWINFO = "NEWINFO";
// New nickname.
inline constexpr std::string_view NICKCHG = "NICKCHG";
// Action text ("/me").
inline constexpr std::string_view USERACTION = "USERACTION";
// Auto-skip flag "0"/"1": away or back.
inline constexpr std::string_view AWAY = "AWAY";
// Leave text. The sender leaves the room.
inline constexpr std::string_view PART = "PART";
// "-". Asks for the user list.
inline constexpr std::string_view ULISTREQ = "ULISTREQ";
// The sender's nickname. Claims the room's admin role.
inline constexpr std::string_view ADMIN = "ADMIN";
// User id. Asks for that user's profile.
inline constexpr std::string_view USERINFO = "USERINFO";
// Target user id, reason. An admin kicks a user.
inline constexpr std::string_view KICK = "KICK";
// "-". Asks for the word-list names to set up a game.
inline constexpr std::string_view GETWORDLISTS = "GETWORDLISTS";
// "-". Answered by NOP "NOP".
inline constexpr std::string_view NOP = "NOP";
// Room name, description, player limit, total rounds, round time ms, time after the first find
// ms, then code 4 and the chosen word-list names joined by code 4.
inline constexpr std::string_view STARTGAME = "STARTGAME";
// "-". The artist skips the word.
inline constexpr std::string_view SKIPWORD = "SKIPWORD";
// "-". A guesser nudges the artist; no effect on the server.
inline constexpr std::string_view WARNARTIST = "WARNARTIST";
// "-". The artist gives a hint.
inline constexpr std::string_view GIVEHINT = "GIVEHINT";
// "-". The sender closed the set-up window without starting a game.
inline constexpr std::string_view CANCELSETUP = "CANCELSETUP";
// The index (from 0) of the word the artist takes among those WORDCHOICES offered.
inline constexpr std::string_view CHOOSEWORD = "CHOOSEWORD";
// Target user id. The sender votes to have that player kicked; older rooms log it as unknown.
inline constexpr std::string_view VOTEKICK = "VOTEKICK";
// "1" to watch the game instead of playing, "0" to play again; from the next round while one is
// in play. (An extension: older rooms drop it.)
inline constexpr std::string_view WATCH = "WATCH";
// The code of the room the connection is for, before anything else; a host of many rooms passes
// it on there, and one that names none goes to the host's default room. (An extension: a
// single room logs it and goes on.)
inline constexpr std::string_view ROOM = "ROOM";
// Name, password (may be empty), "1" for a public room or "0", and optionally the room's language
// code, separated by code 3: first on a connection instead of ROOM, asks a host of many rooms to
// make a room; ROOMMADE answers and the connection is in the new room, or a NOTICE says why not
// and the connection closes. (An extension: a single room logs it and goes on, so its greeting
// comes first; a host that reads three fields makes the room in its default language.)
inline constexpr std::string_view MAKEROOM = "MAKEROOM";
}  // namespace to_server

namespace to_client {
// Server version text (major and minor as 2 digits).
inline constexpr std::string_view SCRAWLBOX_S3RV3R = "SCRAWLBOX_S3RV3R";
// The lowest accepted client version number; the client is too old.
inline constexpr std::string_view OLDVERSION = "OLDVERSION";
// "-". The client's address is banned.
inline constexpr std::string_view BANNED = "BANNED";
// The client's user id, agreement text (empty from this server).
inline constexpr std::string_view USEROK = "USEROK";
// Message of the day, room name, "-", current round, total rounds, then the room's language
// code (a trailing field older clients do not read).
inline constexpr std::string_view PASSOK = "PASSOK";
// User id, nickname, auto-skip flag. A user entered the room.
inline constexpr std::string_view JOIN = "JOIN";
// Up to 10 groups of user id, nickname ("@" in front for the admin), auto-skip flag, points.
inline constexpr std::string_view ULIST = "ULIST";
// "" (the one message with empty data). The user list is complete.
inline constexpr std::string_view ULISTEND = "ULISTEND";
// Artist's user id, revealed letters, the word's pattern (see HINT; a trailing field older
// clients do not read; empty between rounds). A game is in progress.
inline constexpr std::string_view GAMERUNNING = "GAMERUNNING";
// User id, nickname. That user is the room's admin: the claimer's, to the others, or the
// player in the room longest, to everyone, when the admin left.
inline constexpr std::string_view ADMIN = "ADMIN";
// "-". Keep-alive probe; the client answers PONG.
inline constexpr std::string_view PING = "PING";
// "YES". The answer to the ISALIVE probe.
inline constexpr std::string_view ISALIVE = "ISALIVE";
// User id, chat text.
inline constexpr std::string_view SAY = "SAY";
// User id, action text.
inline constexpr std::string_view USERACTION = "USERACTION";
// User id, auto-skip flag as received.
inline constexpr std::string_view AWAY = "AWAY";
// User id, new nickname.
inline constexpr std::string_view NICKCHG = "NICKCHG";
// User id, info text.
inline constexpr std::string_view INFOCHG = "INFOCHG";
// Nickname, age, gender, location, homepage, quote.
inline constexpr std::string_view USERINFO = "USERINFO";
// Kicker's user id, target's user id, reason.
inline constexpr std::string_view KICKINFO = "KICKINFO";
// User id, leave reason. The user left the room.
inline constexpr std::string_view PART = "PART";
// "The server has been shutdown.".
inline constexpr std::string_view SERVERQUIT = "SERVERQUIT";
// "NOP". The answer to NOP.
inline constexpr std::string_view NOP = "NOP";
// Notice text, shown as a red system line.
inline constexpr std::string_view NOTICE = "NOTICE";
// A message from the server's operator.
inline constexpr std::string_view SERVERMSG = "SERVERMSG";
// Reason. The operator kicked this user.
inline constexpr std::string_view KICKOP = "KICKOP";
// "-". Sent after KICKOP; clients ignore it.
inline constexpr std::string_view NOOP = "NOOP";
// "-". The server has no word lists.
inline constexpr std::string_view NOWORDLISTS = "NOWORDLISTS";
// Up to 10 word-list names.
inline constexpr std::string_view WORDLIST = "WORDLIST";
// "-". All word-list names have been sent.
inline constexpr std::string_view WORDLISTEND = "WORDLISTEND";
// "-". Another user is setting up a game.
inline constexpr std::string_view GAMEISBEINGSETUP = "GAMEISBEINGSETUP";
// Round time in ms.
inline constexpr std::string_view SETGAMETIMER = "SETGAMETIMER";
// Total rounds.
inline constexpr std::string_view TOTALROUNDS = "TOTALROUNDS";
// The chosen word-list names joined by code 4.
inline constexpr std::string_view START_GAME = "START_GAME";
// Round number.
inline constexpr std::string_view NEWROUND = "NEWROUND";
// Artist's user id.
inline constexpr std::string_view NEWARTIST = "NEWARTIST";
// The word line, to the artist only.
inline constexpr std::string_view NEWWORD = "NEWWORD";
// Time after the first find in ms: the countdown starts.
inline constexpr std::string_view STARTGAMETIMER = "STARTGAMETIMER";
// "-". Everyone found the word; the clock stops.
inline constexpr std::string_view STOPGAMETIMER = "STOPGAMETIMER";
// The word. The round ended by time.
inline constexpr std::string_view ENDOFROUND = "ENDOFROUND";
// Finder's slot number, finder's user id.
inline constexpr std::string_view WORDFOUND = "WORDFOUND";
// The guess as typed, to the guesser only: it was close.
inline constexpr std::string_view WORDCLOSE = "WORDCLOSE";
// User id, new points.
inline constexpr std::string_view POINTSCHG = "POINTSCHG";
// Revealed letters, hint text, the word's pattern: "_" for each hidden character of the word's
// first spelling, spaces as they are and the revealed letters in place (a trailing field older
// clients do not read).
inline constexpr std::string_view HINT = "HINT";
// "-". No hints are left this round.
inline constexpr std::string_view NOMOREHINTS = "NOMOREHINTS";
// The word. The artist skipped it.
inline constexpr std::string_view WORDSKIPPED = "WORDSKIPPED";
// Winner's user id, "0" when nobody scored; then the ids of the others sharing first place.
inline constexpr std::string_view WINNER = "WINNER";
// "-". Everyone's points are back to 0.
inline constexpr std::string_view RESETSCORES = "RESETSCORES";
// "-". The room has a password and PASS did not carry it; a NOTICE follows for clients that
// do not know this word, then the connection closes. (An extension: older clients drop it.)
inline constexpr std::string_view BADPASS = "BADPASS";
// The word's pattern (as HINT's third field), to every player but the artist when a round starts.
inline constexpr std::string_view WORDPATTERN = "WORDPATTERN";
// The round's word (its first spelling), to everyone when a round ends, however it ended.
inline constexpr std::string_view ROUNDWORD = "ROUNDWORD";
// "-". The game that ended had nobody drawing or finding; the room waits for a player to start one.
inline constexpr std::string_view GAMESTOPPED = "GAMESTOPPED";
// The reason a login's nickname was refused; a NOTICE with the same text and the close follow.
inline constexpr std::string_view NICKREFUSED = "NICKREFUSED";
// "-". The player setting up a game closed the window without starting one.
inline constexpr std::string_view SETUPCANCELLED = "SETUPCANCELLED";
// Seconds to choose, then the words offered (their first spellings), to an artist whose client
// chooses; the round starts when it answers CHOOSEWORD or the time is up.
inline constexpr std::string_view WORDCHOICES = "WORDCHOICES";
// Artist's user id, seconds left. The artist is choosing the word; the round starts after.
inline constexpr std::string_view CHOOSINGWORD = "CHOOSINGWORD";
// User id, "1" watching or "0" playing, to newer clients: as it changes, and after a joiner's
// ULIST for each watcher.
inline constexpr std::string_view WATCHING = "WATCHING";
// Word, artist's user id, artist's points, then finder's user id and points for each finder in
// finding order: what a round gave, to newer clients as it ends (older ones get it as a NOTICE).
inline constexpr std::string_view ROUNDSUMMARY = "ROUNDSUMMARY";
// Code, then (code 3) the room's page for browsers or "" when it has none; an empty host in it
// stands for the host the client connected to. The answer to MAKEROOM, before anything of the
// new room.
inline constexpr std::string_view ROOMMADE = "ROOMMADE";

}  // namespace to_client

// The bare goodbye written, without framing, to a connection that repeats the handshake.
inline constexpr std::string_view kNotAClientGoodbye = "You are not a Scrawlbox client. Goodbye.";

// The start of the NOTICE a banned player reads before its KICKOP; our client then does not call
// the ban a kick.
inline constexpr std::string_view kBannedNotice =
    SB_TEXT("You have been banned from this room by the operator");

// The reason of the KICKOP, and of the PART, when the players voted a player out; our client then
// names the vote rather than the operator.
inline constexpr std::string_view kVoteKickReason = SB_TEXT("Kicked by a vote of the players.");

}  // namespace protocol
