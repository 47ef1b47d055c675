#include "I486Listing.h"

#include <cctype>
#include <set>
#include <sstream>

namespace {

// The 486's instruction set by the names objdump gives in Intel syntax: the
// 8086 to 386 integer instructions, the 486's own (bswap, cmpxchg, xadd, invd,
// wbinvd, invlpg) and the 387 floating-point set of the 486DX. cpuid is absent:
// only late 486 models have it.
const std::set<std::string> kInstructions = {
    // integer, 8086 to 386
    "aaa", "aad", "aam", "aas", "adc", "add", "and", "arpl", "bound", "bsf", "bsr", "bt", "btc",
    "btr", "bts", "call", "cbw", "cwde", "cwd", "cdq", "clc", "cld", "cli", "clts", "cmc", "cmp",
    "cmps", "daa", "das", "dec", "div", "enter", "hlt", "idiv", "imul", "in", "inc", "ins", "int",
    "int3", "into", "iret", "iretd", "ja", "jae", "jb", "jbe", "je", "jg", "jge", "jl", "jle",
    "jne", "jno", "jnp", "jns", "jo", "jp", "js", "jcxz", "jecxz", "jmp", "lahf", "lar", "lds",
    "lea", "leave", "les", "lfs", "lgdt", "lgs", "lidt", "lldt", "lmsw", "lods", "loop", "loope",
    "loopne", "lsl", "lss", "ltr", "mov", "movs", "movsx", "movzx", "mul", "neg", "nop", "not",
    "or", "out", "outs", "pop", "popa", "popad", "popf", "popfd", "push", "pusha", "pushad",
    "pushf", "pushfd", "rcl", "rcr", "ret", "retf", "rol", "ror", "sahf", "sar", "sbb", "scas",
    "seta", "setae", "setb", "setbe", "sete", "setg", "setge", "setl", "setle", "setne", "setno",
    "setnp", "setns", "seto", "setp", "sets", "sgdt", "shl", "shld", "shr", "shrd", "sidt", "sldt",
    "smsw", "stc", "std", "sti", "stos", "str", "sub", "test", "verr", "verw", "xchg", "xlat",
    "xor",
    // the 486's own
    "bswap", "cmpxchg", "xadd", "invd", "wbinvd", "invlpg",
    // the instruction defined as undefined (0F 0B): a 486 raises the same
    // invalid-opcode exception for it, all the compiler wants of it (a trap on
    // a path that must not run)
    "ud2",
    // x87 (387)
    "f2xm1", "fabs", "fadd", "faddp", "fbld", "fbstp", "fchs", "fclex", "fnclex", "fcom", "fcomp",
    "fcompp", "fcos", "fdecstp", "fdiv", "fdivp", "fdivr", "fdivrp", "ffree", "fiadd", "ficom",
    "ficomp", "fidiv", "fidivr", "fild", "fimul", "fincstp", "finit", "fninit", "fist", "fistp",
    "fisub", "fisubr", "fld", "fld1", "fldcw", "fldenv", "fldl2e", "fldl2t", "fldlg2", "fldln2",
    "fldpi", "fldz", "fmul", "fmulp", "fnop", "fpatan", "fprem", "fprem1", "fptan", "frndint",
    "frstor", "fsave", "fnsave", "fscale", "fsin", "fsincos", "fsqrt", "fst", "fstcw", "fnstcw",
    "fstenv", "fnstenv", "fstp", "fstsw", "fnstsw", "fsub", "fsubp", "fsubr", "fsubrp", "ftst",
    "fucom", "fucomp", "fucompp", "fwait", "wait", "fxam", "fxch", "fxtract", "fyl2x", "fyl2xp1"};

// Prefixes objdump prints as words before the mnemonic.
const std::set<std::string> kPrefixes = {"lock",   "rep",    "repz",   "repe",   "repnz", "repne",
                                         "data16", "data32", "addr16", "addr32", "cs",    "ds",
                                         "es",     "fs",     "gs",     "ss"};

std::string Trim(const std::string& text)
{
    size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return "";
    return text.substr(first, text.find_last_not_of(" \t\r") + 1 - first);
}

} // namespace

bool Is486Instruction(const std::string& instruction)
{
    std::istringstream words(instruction);
    std::string word;
    while (words >> word && kPrefixes.count(word) != 0) {
    }
    if (word.empty() || kInstructions.count(word) == 0)
        return false;
    std::string operands;
    std::getline(words, operands);
    operands = Trim(operands.substr(0, operands.find('<'))); // not the symbol of an address
    // MMX and SSE registers (mm0, xmm0, ...) never appear in a 486's operands.
    for (size_t at = operands.find("mm"); at != std::string::npos; at = operands.find("mm", at + 1))
        if (at + 2 < operands.size() && std::isdigit(static_cast<unsigned char>(operands[at + 2])))
            return false;
    return word != "nop" || operands.empty();
}

std::vector<I486Finding> Find486Problems(std::istream& listing, size_t& instructions)
{
    std::vector<I486Finding> findings;
    instructions = 0;
    std::string function;
    bool code = true;
    for (std::string line; std::getline(listing, line);) {
        if (line.compare(0, 23, "Disassembly of section ") == 0) {
            code = true;
            continue;
        }
        if (!code)
            continue;
        // "0040100a:\tpush   ebp" is an instruction; "00401000 <_main>:" opens a
        // symbol ("<.text>" is only the section).
        size_t start = line.find_first_not_of(' ');
        size_t end = line.find_first_not_of("0123456789abcdef", start);
        if (start == std::string::npos || end == start || end == std::string::npos)
            continue;
        if (line.compare(end, 2, ":\t") == 0) {
            ++instructions;
            std::string instruction = Trim(line.substr(end + 2));
            if (!Is486Instruction(instruction))
                findings.push_back({line.substr(start, end - start), function, instruction});
        } else if (line.compare(end, 2, " <") == 0 && line.size() >= end + 4 &&
                   line.compare(line.size() - 2, 2, ">:") == 0) {
            function = line.substr(end + 2, line.size() - end - 4);
            if (function[0] == '.')
                function.clear();
            // MinGW's linker puts the constructor and destructor lists, and
            // the exception tables after them, at the end of .text: data.
            code = function != "__CTOR_LIST__" && function != "___CTOR_LIST__";
        }
    }
    return findings;
}
