#pragma once
// Which instructions of a disassembly a 486 cannot execute. The listing is what
// `i686-w64-mingw32-objdump -d -M intel --no-show-raw-insn` prints for the code
// sections of a binary.

#include <cstddef>
#include <istream>
#include <string>
#include <vector>

struct I486Finding {
    std::string address;     // as the listing gives it, hexadecimal
    std::string function;    // the symbol the instruction lies in; empty where none is known
    std::string instruction; // mnemonic and operands, as the listing gives them
};

// Whether an Intel 80486DX (integer unit and its built-in x87) executes an
// instruction, given as the listing prints it: prefixes, mnemonic, operands.
// A nop with an operand is the multi-byte nop (0F 1F) of the Pentium Pro.
bool Is486Instruction(const std::string& instruction);

// Every instruction of the listing that a 486 cannot execute, in order;
// instructions receives how many the listing holds. A code section ends at the
// constructor list (__CTOR_LIST__), where MinGW's linker puts data: the
// constructor and destructor lists and the exception tables.
std::vector<I486Finding> Find486Problems(std::istream& listing, size_t& instructions);
