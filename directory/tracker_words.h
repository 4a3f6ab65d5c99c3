// SPDX-License-Identifier: MIT
#pragma once

#include <string_view>

// The words of the tracker's queries and answers, for the rooms that register, the browsers that
// list them and the tracker itself. A query is "&"-separated key=value pairs starting with ACTION;
// an answer's first line is the reply record "STATUS=<status>|EXTRA=<text>", and VIEW answers
// with one room record a line, "|"-separated key=value fields.
namespace directory {

namespace action {
// Registers a room, or updates the room registered under the same KEY. SUBMITOK or UPDATEOK.
inline constexpr std::string_view ADD = "ADD";
// Takes the room registered under KEY off the list. REMOVEOK or NOTFOUND.
inline constexpr std::string_view REMOVE = "REMOVE";
// Lists the public rooms: one room record a line, nothing when there are none.
inline constexpr std::string_view VIEW = "VIEW";
}  // namespace action

namespace key {
// Every query: ADD, REMOVE or VIEW.
inline constexpr std::string_view ACTION = "ACTION";
// ADD, REMOVE: the registration key that names the room. Rooms send the SHA-256 of their
// machine's name and operator's account (RegistrationKey); older rooms send that text itself.
inline constexpr std::string_view KEY = "KEY";
// ADD, REMOVE: the secret the tracker gave the room with its first registration. Reply record
// of an ADD: the secret, whenever the request did not carry it.
inline constexpr std::string_view SECRET = "SECRET";
// ADD, REMOVE: the key the room was listed under before it sent a hashed one, sent until the
// room holds a secret, so that its entry moves to the new key.
inline constexpr std::string_view OLDKEY = "OLDKEY";
// ADD, REMOVE, room record: the room's name.
inline constexpr std::string_view SERVERNAME = "SERVERNAME";
// ADD: the room's description.
inline constexpr std::string_view DESC = "DESC";
// Room record: the room's description.
inline constexpr std::string_view SERVERDESC = "SERVERDESC";
// ADD: the address players connect to; empty means the address the request came from.
inline constexpr std::string_view IP = "IP";
// Room record: the address players connect to.
inline constexpr std::string_view SERVERIP = "SERVERIP";
// ADD, room record: the room's port.
inline constexpr std::string_view PORT = "PORT";
// ADD, room record: the server's version text.
inline constexpr std::string_view SERVERVERSION = "SERVERVERSION";
// ADD, REMOVE, room record: the operator's name.
inline constexpr std::string_view ADMINNAME = "ADMINNAME";
// ADD: the operator's mail address; never listed.
inline constexpr std::string_view ADMINEMAIL = "ADMINEMAIL";
// ADD: the room's "Private Server" setting, kTrue for a private room despite the name.
inline constexpr std::string_view ISPUBLIC = "ISPUBLIC";
// ADD, room record: the connections the room has established, ever.
inline constexpr std::string_view TOTALCONNECTIONS = "TOTALCONNECTIONS";
// ADD, room record: the games played to the end.
inline constexpr std::string_view TOTALGAMES = "TOTALGAMES";
// ADD, room record: the rounds played.
inline constexpr std::string_view TOTALROUNDS = "TOTALROUNDS";
// ADD, room record: the words in the room's loaded word lists.
inline constexpr std::string_view TOTALWORDS = "TOTALWORDS";
// ADD, room record: the loaded word lists.
inline constexpr std::string_view TOTALWORDLISTS = "TOTALWORDLISTS";
// ADD, room record: the players in the room now; a room that never sends it has no count.
inline constexpr std::string_view PLAYERS = "PLAYERS";
// ADD: kTrue when entering the room needs a password. Room record: kTrue, only for such rooms.
inline constexpr std::string_view LOCKED = "LOCKED";
// ADD: the room's page for browsers, only while browsers may play there; an empty host stands for
// the address the request came from. Room record: that page, only for rooms that have one.
inline constexpr std::string_view WEB = "WEB";
// ADD, room record: the room's code on a host of many rooms; a connection names it with ROOM
// before anything else. Rooms of a single-room server send none.
inline constexpr std::string_view CODE = "CODE";
// ADD: the key of the host the room is on (the SHA-256 of its machine key and port). The tracker
// limits one host's rooms by a limit of its own, instead of the one for an address.
inline constexpr std::string_view HOST = "HOST";
// ADD, only on a host's own listing (its default room, with no CODE): how many more rooms it can
// make now. The directory sends those who want a new room to the host with the most.
inline constexpr std::string_view FREE = "FREE";
// ADD: the language the room plays in, two lower-case letters (ISO 639-1). Room record: that
// code, only for rooms that sent one.
inline constexpr std::string_view LANG = "LANG";
// VIEW: the most rooms the browser wants, the fullest first.
inline constexpr std::string_view MAX = "MAX";
// Reply record: one of the status words below.
inline constexpr std::string_view STATUS = "STATUS";
// Reply record: the text that goes with the status ("|" in it stands for a line break).
inline constexpr std::string_view EXTRA = "EXTRA";
}  // namespace key

// The two values of a Boolean field.
inline constexpr std::string_view kTrue = "True";
inline constexpr std::string_view kFalse = "False";

namespace status {
// ADD registered a new room.
inline constexpr std::string_view SUBMITOK = "SUBMITOK";
// ADD updated the room already registered under the key.
inline constexpr std::string_view UPDATEOK = "UPDATEOK";
// REMOVE took the room off the list.
inline constexpr std::string_view REMOVEOK = "REMOVEOK";
// REMOVE found no room under the key.
inline constexpr std::string_view NOTFOUND = "NOTFOUND";
// The server that asked is too old for the tracker; this tracker never says so.
inline constexpr std::string_view OUTOFDATE = "OUTOFDATE";
// EXTRA is a message for the operator; this tracker never sends one.
inline constexpr std::string_view MSG = "MSG";
// EXTRA says why the asking address is banned; this tracker bans nobody.
inline constexpr std::string_view BANNED = "BANNED";
// A well-formed request that was refused; EXTRA says why.
inline constexpr std::string_view FAIL = "FAIL";
// A request the tracker could not read; EXTRA says why.
inline constexpr std::string_view ERROR = "ERROR";
}  // namespace status

}  // namespace directory
