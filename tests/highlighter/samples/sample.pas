{ A sample of Object Pascal for the highlighter's tests }
unit Sample;

interface

{$IFDEF DEBUG} {$R+} {$ENDIF}
uses SysUtils, Classes;

type
  TShape = class(TObject)
  private
    FName: string;
  public
    constructor Create(const AName: string); virtual;
    function Area: Double; virtual; abstract;
    property Name: string read FName;
  end;

const
  Line = 'It''s a line' + #13#10 + #$09;
  Mask = $FF00;
  Scale = 1.5E-3;

implementation

(* The constructor
   keeps the name. *)
constructor TShape.Create(const AName: string);
begin
  inherited Create;
  FName := AName; // stored
  if (Mask and $FF) <> 0 then
    raise Exception.Create('bad mask');
end;

end.
