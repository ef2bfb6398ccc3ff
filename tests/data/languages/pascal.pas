program Grades;
{ Reads names and marks, prints each student's average and a letter grade. }

{$mode objfpc}{$H+}

uses
  SysUtils, Classes;

const
  MaxMarks = 10;

type
  TStudent = record
    Name: string;
    Marks: array[1..MaxMarks] of Integer;
    Count: Integer;
  end;

  TStudentList = array of TStudent;

(* Average of the recorded marks; 0 when there are none. *)
function Average(const S: TStudent): Double;
var
  I, Sum: Integer;
begin
  Sum := 0;
  for I := 1 to S.Count do
    Sum := Sum + S.Marks[I];
  if S.Count > 0 then
    Result := Sum / S.Count
  else
    Result := 0.0;
end;

function Letter(Avg: Double): Char;
begin
  case Round(Avg) div 10 of
    9, 10: Result := 'A';
    8: Result := 'B';
    7: Result := 'C';
    6: Result := 'D';
  else
    Result := 'F';
  end;
end;

procedure ReadStudents(const FileName: string; var List: TStudentList);
var
  Lines, Fields: TStringList;
  I, J: Integer;
begin
  Lines := TStringList.Create;
  Fields := TStringList.Create;
  try
    Lines.LoadFromFile(FileName);
    SetLength(List, Lines.Count);
    for I := 0 to Lines.Count - 1 do
    begin
      Fields.CommaText := Lines[I];
      List[I].Name := Fields[0];
      List[I].Count := 0;
      for J := 1 to Fields.Count - 1 do
        if List[I].Count < MaxMarks then
        begin
          Inc(List[I].Count);
          List[I].Marks[List[I].Count] := StrToIntDef(Fields[J], 0);
        end;
    end;
  finally
    Fields.Free;
    Lines.Free;
  end;
end;

var
  Students: TStudentList;
  S: TStudent;
begin
  if ParamCount < 1 then
  begin
    WriteLn('usage: grades FILE');
    Halt(2);
  end;
  ReadStudents(ParamStr(1), Students);
  for S in Students do
    WriteLn(Format('%-20s %6.1f  %s', [S.Name, Average(S), Letter(Average(S))]));
  WriteLn('It''s done: ', Length(Students), ' students'); // summary
end.
