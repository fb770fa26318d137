#pragma once

// The CAD stand-in's command line and its "user": command texts typed through
// SendCommand are read the way the CAD reads typed input, and whatever the
// user would do at a prompt (select, pick a point or an entity, cancel) comes
// from a script.

#include <deque>
#include <optional>
#include <vector>

#include "automation_server.h"
#include "cad_drawing.h"
#include "core/text.h"

namespace zemvo::standins {

// What the user does at the next prompt.
struct UserAction {
  enum class Kind { Select, Point, Entity, Miss, Cancel, Hang };
  Kind kind = Kind::Cancel;
  bool all = false;           // select all
  std::vector<Text> handles;  // select: the entities; entity: the one picked
  Point3 point;               // point, entity, miss: where the user picked
  Text line;                  // as scripted
};

// The script, one action a line:
//   select all | select none | select HANDLE...   an on-screen selection
//   point X Y [Z]                                  a point (GetPoint, the ID command)
//   entity HANDLE X Y [Z]                          an entity picked at a point (GetEntity)
//   miss X Y [Z]                                   a pick in empty space (GetEntity fails)
//   cancel                                         the prompt is cancelled
//   hang                                           the prompt never ends
//   polls N                                        from now on a command that waits for the
//                                                  user reads busy for N polls of IsQuiescent
// Blank lines and lines starting with "#" are skipped.
class UserScript {
 public:
  // Throws zemvo::Error naming a line it cannot read.
  void add(TextView lines);
  std::optional<UserAction> next();
  int polls() const { return polls_; }
  std::size_t pending() const { return actions_.size(); }

 private:
  std::deque<UserAction> actions_;
  int polls_ = 2;
};

// The command line: "ID" (asks the user for a point and stores it in
// LASTPOINT; an object snap such as "_int" may be typed at its prompt) and
// "-INSERT" (an exploded insertion "*file" of a DXF file at a point, with a
// scale and a rotation). Input ends at a carriage return or a blank, as
// typed input does (a quoted file name may hold blanks; an unquoted one ends
// at the carriage return). A leading "^C" cancels the running command; a
// leading "_" or "." before a command name is ignored.
class CommandLine {
 public:
  CommandLine(Drawing& drawing, UserScript& script, Journal& journal);

  void type(TextView input);
  // One read of IsQuiescent: false while a command runs. A command that
  // waits for the user finishes after the scripted number of polls.
  bool quiescent();
  bool running() const { return state_ != State::Idle; }

 private:
  enum class State { Idle, IdPoint, InsertName, InsertPoint, InsertScale, InsertRotation };

  void process();
  std::optional<Text> nextInput(bool toLineEnd);
  void command(Text name);
  void cancel(const char16_t* why);
  void finishId();
  void insert(double rotation);
  void note(Text line);

  Drawing& drawing_;
  UserScript& script_;
  Journal& journal_;
  Text pending_;
  State state_ = State::Idle;
  UserAction idAnswer_;
  int idPolls_ = 0;
  Text insertName_;
  Point3 insertPoint_;
  double insertScale_ = 1;
};

// "x,y" or "x,y,z".
std::optional<Point3> parsePoint(TextView text);
std::optional<double> parseNumber(TextView text);

}  // namespace zemvo::standins
