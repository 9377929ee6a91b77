// The 92 command words of the script language, in the order the dispatch tests them.
#pragma once

#include <string_view>

namespace zunk {

#define ZUNK_COMMANDS(X)                                                                      \
  X(Refresh, "refresh") X(Efeito, "efeito") X(Clear, "clear") X(Tela, "tela")                 \
  X(MsgShow, "msg=") X(MsgAdd, "msg#") X(MsgExtend, "msg+") X(Link, "link")                   \
  X(ZeraLinks, "zeralinks") X(TFont, "tfont=") X(MFont, "mfont=") X(Print, "print")           \
  X(Display, "display") X(Sombra, "sombra") X(Shape, "shape") X(Frame, "frame")               \
  X(Reg, "reg") X(Rnd, "rnd") X(Add, "add") X(Sub, "sub") X(Mul, "mul") X(Div, "div")         \
  X(Inc, "inc") X(Dec, "dec") X(Def, "def") X(SeEq, "se=") X(SeNe, "se#") X(SeGt, "se>")      \
  X(SeLt, "se<") X(Loop, "loop") X(IfLocEq, "ifloc=") X(IfLocNe, "ifloc#") X(Url, "url")      \
  X(Web, "web") X(Download, "download") X(IfArq, "ifarq") X(Verifica, "verifica")             \
  X(IrPara, "irpara") X(IfGo, "ifgo") X(Script, "script") X(Norte, "norte=") X(Sul, "sul=")   \
  X(Leste, "leste=") X(Oeste, "oeste=") X(LocalSet, "local=") X(FncDef, "fncdef")             \
  X(TimerSet, "timer=") X(Hud, "hud=") X(Fim, "fim") X(Runtime, "runtime")                    \
  X(DefMsg, "defmsg") X(StrSet, "str=") X(StrAppend, "str+") X(StrShow, "str#")               \
  X(Reload, "reload") X(Conta, "conta") X(Objs, "objs") X(List, "list") X(IfOLoc, "ifoloc")   \
  X(IfODnt, "ifodnt") X(IfOJog, "ifojog") X(IfOExt, "ifoext") X(IfObj1, "ifobj1")             \
  X(IfObj2, "ifobj2") X(Pega, "pega") X(Pegue, "pegue") X(Pegar, "pegar") X(Solta, "solta")   \
  X(Soltar, "soltar") X(Solte, "solte") X(XPeg, "x_peg") X(XPoe, "x_poe") X(XSlt, "x_slt")    \
  X(Crie, "crie") X(Criar, "criar") X(DefObj, "defobj") X(PosObj, "posobj")                   \
  X(SetBit, "setbit") X(ResBit, "resbit") X(IfBit, "ifbit") X(Play, "play") X(Stop, "stop")   \
  X(Restart, "restart") X(BufX, "bufx") X(BufY, "bufy") X(SgtCaption, "sgt=")                 \
  X(SgtScript, "sgt#") X(SgtClear, "sgt$") X(Pausa, "pausa") X(Delay, "delay")                \
  X(TelMod, "telmod") X(Goto, "goto")

enum class Command {
  None,
#define ZUNK_ENUM(name, word) name,
  ZUNK_COMMANDS(ZUNK_ENUM)
#undef ZUNK_ENUM
};

inline constexpr int kCommandCount = 92;

// The command a word selects, exactly and case-sensitively; None for an unknown word.
// Words are distinct, so the first equal word of the chain is the only one.
Command FindCommand(std::string_view word);

std::string_view CommandWord(Command command);

}  // namespace zunk
